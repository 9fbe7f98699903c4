# A small HTTP server on 127.0.0.1 for the download tests.
#
# Serves the files of the folder given as the first argument, plus:
#   /redirect/NAME  302 to /NAME
#   /loop           302 to itself
#   /short          announces 1000 bytes, sends 10 and closes
#   /error500       500 with a body
# Prints its port on the first line of standard output, and ends when the
# program that started it ends.
import http.server
import os
import sys
import threading
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def answer(self, status, headers, body=b""):
        self.send_response(status)
        for name, value in headers.items():
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        if self.path.startswith("/redirect/"):
            self.answer(302, {"Location": self.path[len("/redirect"):], "Content-Length": "0"})
        elif self.path == "/loop":
            self.answer(302, {"Location": "/loop", "Content-Length": "0"})
        elif self.path == "/short":
            self.answer(200, {"Content-Length": "1000"}, b"0123456789")
            self.close_connection = True
        elif self.path == "/error500":
            self.answer(500, {"Content-Length": "27"}, b"<html>server trouble</html>")
        else:
            super().do_GET()


def exit_with_parent():
    parent = os.getppid()
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def main():
    os.chdir(sys.argv[1])
    threading.Thread(target=exit_with_parent, daemon=True).start()
    with http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler) as httpd:
        print(httpd.server_address[1], flush=True)
        httpd.serve_forever()


if __name__ == "__main__":
    main()
