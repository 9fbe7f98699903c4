# cmake -DDEMO_DIR=... -DPROGRAM_DIR=... -P InstallDemo.cmake
#
# Copies the demo page into PROGRAM_DIR/demo and, when PROGRAM_DIR holds no
# profile file yet, writes the demo profile as 000001.rss pointing at it.
# Profile files are 13 lines, each ended by CR LF.
if(NOT DEMO_DIR OR NOT PROGRAM_DIR)
  message(FATAL_ERROR "InstallDemo.cmake needs DEMO_DIR and PROGRAM_DIR")
endif()

file(MAKE_DIRECTORY ${PROGRAM_DIR}/demo)
file(COPY_FILE ${DEMO_DIR}/harbour-news.htm ${PROGRAM_DIR}/demo/harbour-news.htm ONLY_IF_DIFFERENT)

file(GLOB existing_profiles ${PROGRAM_DIR}/*.rss)
if(existing_profiles)
  return()
endif()

file(READ ${DEMO_DIR}/demo-profile.txt content)
string(REPLACE "\r\n" "\n" content "${content}")
string(REPLACE "\n" "\r\n" content "${content}")
string(REPLACE "@PAGE@" "${PROGRAM_DIR}/demo/harbour-news.htm" content "${content}")
file(WRITE ${PROGRAM_DIR}/000001.rss "${content}")
message(STATUS "Demo profile written to ${PROGRAM_DIR}/000001.rss")
