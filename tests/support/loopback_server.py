# A small HTTP server on 127.0.0.1 for the download tests.
#
# Serves the files of the folder given as the first argument, plus:
#   /redirect/NAME  302 to /NAME
#   /loop           302 to itself
#   /short          announces 1000 bytes, sends 10 and closes
#   /error500       500 with a body
# Prints its port on the first line of standard output.
import http.server
import os
import socketserver
import sys
import threading
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path.startswith("/redirect/"):
            self.send_response(302)
            self.send_header("Location", "/" + self.path[len("/redirect/"):])
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif self.path == "/loop":
            self.send_response(302)
            self.send_header("Location", "/loop")
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif self.path == "/short":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(b"0123456789")
            self.wfile.flush()
            self.close_connection = True
        elif self.path == "/error500":
            body = b"<html>server trouble</html>"
            self.send_response(500)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        else:
            super().do_GET()


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def exit_with_parent():
    parent = os.getppid()
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def main():
    os.chdir(sys.argv[1])
    threading.Thread(target=exit_with_parent, daemon=True).start()
    with Server(("127.0.0.1", 0), Handler) as httpd:
        print(httpd.server_address[1], flush=True)
        httpd.serve_forever()


if __name__ == "__main__":
    main()
