# The two controls as the CMake package VeltraneWidgets:
#   find_package(VeltraneWidgets REQUIRED)
#   target_link_libraries(app PRIVATE VeltraneWidgets::SyntaxBox VeltraneWidgets::Buttons)
#
# The libraries stay static: a program that uses them is one file, there is
# no shared-library version to keep compatible, and the Designer plugin links
# them in. A static library carries its dependencies as link-only targets, so
# the colorizer engine, the button painters and the host pieces are exported
# too (as SyntaxBoxEngine, ButtonPaint, Host, Dialogs) for the linker; users
# name only SyntaxBox and Buttons. Archives go into a folder of their own so
# that names like libhost.a never meet other libraries in lib/.
set(widget_include_dir ${CMAKE_INSTALL_INCLUDEDIR}/VeltraneWidgets)
set(widget_lib_dir ${CMAKE_INSTALL_LIBDIR}/VeltraneWidgets)
set(widget_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/VeltraneWidgets)

set_target_properties(syntaxbox PROPERTIES EXPORT_NAME SyntaxBox)
set_target_properties(buttons PROPERTIES EXPORT_NAME Buttons)
set_target_properties(syntaxbox_engine PROPERTIES EXPORT_NAME SyntaxBoxEngine POSITION_INDEPENDENT_CODE ON)
set_target_properties(buttons_paint PROPERTIES EXPORT_NAME ButtonPaint)
set_target_properties(host PROPERTIES EXPORT_NAME Host)
set_target_properties(dialogs PROPERTIES EXPORT_NAME Dialogs)

install(TARGETS syntaxbox buttons syntaxbox_engine buttons_paint host dialogs
  EXPORT VeltraneWidgetsTargets
  ARCHIVE DESTINATION ${widget_lib_dir} COMPONENT Widgets
  INCLUDES DESTINATION ${widget_include_dir})

# Headers keep the folder they have in the tree, so that includes read the
# same inside and outside it ("syntaxbox/htmSyntaxBox.h"). The public ones:
# the widget classes, the control error, the property store and the host.
# The rest are here only because the widget classes hold them by value.
set(widget_headers
  syntaxbox/htmSyntaxBox.h syntaxbox/ControlError.h
  buttons/wenButtons_H.h
  host/PropertyBag.h host/ControlHost.h host/Colour.h host/Picture.h
  dialogs/Dialogs.h
  syntaxbox/Colorizer.h syntaxbox/ProgressIndicator.h syntaxbox/StyleSet.h syntaxbox/TextBox.h
  buttons/paint/ButtonModel.h buttons/paint/ButtonWindow.h)
foreach(header ${widget_headers})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${widget_include_dir}/${folder} COMPONENT Widgets)
endforeach()

install(EXPORT VeltraneWidgetsTargets NAMESPACE VeltraneWidgets::
  DESTINATION ${widget_cmake_dir} COMPONENT Widgets)

include(CMakePackageConfigHelpers)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VeltraneWidgetsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VeltraneWidgetsConfig.cmake
  INSTALL_DESTINATION ${widget_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VeltraneWidgetsConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/VeltraneWidgetsConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/VeltraneWidgetsConfigVersion.cmake
  DESTINATION ${widget_cmake_dir} COMPONENT Widgets)
