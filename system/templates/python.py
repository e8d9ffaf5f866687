# Orvane server program on Python's standard library. The client stubs post to the server
# address followed by "/" and the procedure's name, with the arguments as the form fields
# "0", "1", ... in parameter order.
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

_orvane_local = threading.local()
_orvane_max_body = 16 * 1024 * 1024


class _OrvaneForm:
    """The posted fields of the request being answered by this thread."""

    def get(self, key, default=None):
        values = getattr(_orvane_local, 'fields', {}).get(key)
        return values[0] if values else default

    def __getitem__(self, key):
        value = self.get(key)
        if value is None:
            raise KeyError(key)
        return value

    def __contains__(self, key):
        return key in getattr(_orvane_local, 'fields', {})


class _OrvaneRequest:
    form = _OrvaneForm()


class _OrvaneApp:
    """The part of Flask's application object that server code uses: the route decorator."""

    def __init__(self):
        self.procedures = {}

    def route(self, rule, methods=None):
        def register(function):
            self.procedures[rule.strip('/')] = function
            return function
        return register


request = _OrvaneRequest()
app = _OrvaneApp()

# ### Orvane ServerCode ###

# ### Orvane ServerHost ###
# ### Orvane ServerPort ###


class _OrvaneHandler(BaseHTTPRequestHandler):
    def _answer(self, status, text):
        body = text.encode('utf-8')
        self.send_response(status)
        self.send_header('Content-Type', 'text/plain; charset=utf-8')
        self.send_header('Content-Length', str(len(body)))
        self.send_header('X-Content-Type-Options', 'nosniff')
        self.send_header('Cache-Control', 'no-store')
        # The page may come from another server (or port) than this program.
        self.send_header('Access-Control-Allow-Origin', '*')
        self.end_headers()
        self.wfile.write(body)

    def do_OPTIONS(self):
        self._answer(204, '')

    def do_GET(self):
        self._answer(405, 'POST requests only')

    def do_POST(self):
        path = urllib.parse.urlsplit(self.path).path
        name = urllib.parse.unquote(path.rstrip('/').rsplit('/', 1)[-1])
        # Only routes the server code declared can be called; nothing is looked up by name
        # anywhere else.
        procedure = app.procedures.get(name)
        if procedure is None:
            self._answer(404, "unknown request: '%s'" % name)
            return
        try:
            length = int(self.headers.get('Content-Length') or 0)
        except ValueError:
            length = -1
        if length < 0 or length > _orvane_max_body:
            self._answer(413, 'request too large')
            return
        body = self.rfile.read(length).decode('utf-8', 'replace')
        _orvane_local.fields = urllib.parse.parse_qs(body, keep_blank_values=True)
        try:
            result = procedure()
        except Exception as error:  # the program's error goes back to the caller
            self._answer(500, 'error: %s' % error)
            return
        finally:
            _orvane_local.fields = {}
        self._answer(200, '' if result is None else str(result))


if __name__ == '__main__':
    server = ThreadingHTTPServer((ORVANE_HOST, ORVANE_PORT), _OrvaneHandler)
    print('Orvane Python server listening on %s:%d' % (ORVANE_HOST, ORVANE_PORT), flush=True)
    server.serve_forever()
