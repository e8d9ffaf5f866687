# Orvane server program for Flask. Flask serves the page from the folder "templates" and the
# scripts from "static" beside this file; the client stubs post to "/" followed by the
# procedure's name, with the arguments as the form fields "0", "1", ... in parameter order.
import os

from flask import Flask, Response, abort, render_template, request, send_from_directory
from jinja2 import TemplateNotFound

_orvane_root = os.path.dirname(os.path.abspath(__file__))


class _OrvaneFlask(Flask):
    def make_response(self, rv):
        # Server procedures answer numbers and nothing as well as text, as in the other languages.
        if rv is None:
            rv = ''
        elif isinstance(rv, (bool, int, float)):
            rv = str(rv)
        return super().make_response(rv)


app = _OrvaneFlask(__name__,
                   static_folder=os.path.join(_orvane_root, 'static'),
                   static_url_path='/static',
                   template_folder=os.path.join(_orvane_root, 'templates'))

# ### Orvane ServerCode ###

# ### Orvane ServerHost ###


# The page is a template: its script and stylesheet tags name their files through url_for.
@app.route('/', methods=['GET'])
def orvane_index_page():
    return render_template('index.html')


@app.route('/<path:filename>', methods=['GET'])
def orvane_page_file(filename):
    if filename.endswith(('.html', '.htm')):
        try:
            return render_template(filename)
        except TemplateNotFound:
            abort(404)
    return send_from_directory(app.static_folder, filename)


def _orvane_unknown(error):
    name = request.path.strip('/')
    return Response("unknown request: '%s'" % name, status=error.code, mimetype='text/plain')


# A POST to anything but a declared server procedure reaches no code.
app.register_error_handler(404, _orvane_unknown)
app.register_error_handler(405, _orvane_unknown)


@app.after_request
def _orvane_headers(response):
    response.headers['X-Content-Type-Options'] = 'nosniff'
    return response


if __name__ == '__main__':
    app.run(host=ORVANE_HOST, port=int('#FLASKPORT#'))
