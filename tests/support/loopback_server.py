# A small HTTP server on 127.0.0.1 for the download tests.
#
# Serves the files of the folder given as the first argument, plus:
#   /redirect/NAME  302 to /NAME
#   /loop           302 to itself
#   /short          announces 1000 bytes, sends 10 and closes
#   /error500       500 with a body
#   /silent         accepts the request and never answers
#   /trickle        one byte every 0.4 s, for ever
#   /endless        a body without end, as fast as it is taken
#   /to-gopher      302 to a gopher:// address
#   /slow/NAME      NAME after a pause of 50 ms (for timing parallel runs)
# With "--hosts N" it listens on 127.0.0.1 to 127.0.0.N, all on one port.
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
        elif self.path == "/silent":
            time.sleep(120)
        elif self.path == "/trickle":
            self.answer(200, {})
            for _ in range(300):
                self.wfile.write(b"x")
                self.wfile.flush()
                time.sleep(0.4)
        elif self.path == "/endless":
            self.answer(200, {})
            chunk = b"<p>endless</p>" * 4096
            try:
                while True:
                    self.wfile.write(chunk)
            except OSError:
                pass  # the client gave up, as it should
        elif self.path == "/to-gopher":
            self.answer(302, {"Location": "gopher://127.0.0.1:1/_SET%20key", "Content-Length": "0"})
        elif self.path.startswith("/slow/"):
            time.sleep(0.05)
            self.path = self.path[len("/slow"):]
            super().do_GET()
        else:
            super().do_GET()


def exit_with_parent():
    parent = os.getppid()
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def main():
    os.chdir(sys.argv[1])
    hosts = int(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--hosts" else 1
    threading.Thread(target=exit_with_parent, daemon=True).start()
    servers = [http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)]
    port = servers[0].server_address[1]
    for n in range(2, hosts + 1):
        servers.append(http.server.ThreadingHTTPServer(("127.0.0.%d" % n, port), Handler))
    for extra in servers[1:]:
        threading.Thread(target=extra.serve_forever, daemon=True).start()
    print(port, flush=True)
    servers[0].serve_forever()


if __name__ == "__main__":
    main()
