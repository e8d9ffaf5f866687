// Orvane server program for Node.js. The client stubs post here with the procedure's name in the
// query parameter "request" and its arguments as the form fields "0", "1", ... in parameter order.
const http = require('http');

// ### Orvane ServerPort ###
// ### Orvane ServerHost ###

// ### Orvane ServerCode ###

const orvaneMaxBody = 16 * 1024 * 1024;

function orvaneAnswer(response, status, text) {
    response.writeHead(status, {
        'Content-Type': 'text/plain; charset=utf-8',
        'X-Content-Type-Options': 'nosniff',
        'Cache-Control': 'no-store',
        // The page may come from another server (or port) than this program.
        'Access-Control-Allow-Origin': '*',
    });
    response.end(text);
}

// Only the procedures the program declared as server procedures are in the registry; inherited
// names such as "__proto__" or "constructor" are not its own properties.
function orvaneProcedure(name) {
    if (typeof VelkNodeJsFunctions !== 'object' || VelkNodeJsFunctions === null) return null;
    if (!Object.prototype.hasOwnProperty.call(VelkNodeJsFunctions, name)) return null;
    const procedure = VelkNodeJsFunctions[name];
    return typeof procedure === 'function' ? procedure : null;
}

const orvaneServer = http.createServer(function (request, response) {
    const url = new URL(request.url, 'http://localhost');
    const name = url.searchParams.get('request') || '';
    if (request.method === 'OPTIONS') return orvaneAnswer(response, 204, '');
    if (request.method !== 'POST') return orvaneAnswer(response, 405, 'POST requests only');
    const procedure = orvaneProcedure(name);
    if (!procedure) return orvaneAnswer(response, 404, "unknown request: '" + name + "'");

    const chunks = [];
    let size = 0;
    request.on('data', function (chunk) {
        size += chunk.length;
        if (size > orvaneMaxBody) {
            orvaneAnswer(response, 413, 'request too large');
            request.destroy();
            return;
        }
        chunks.push(chunk);
    });
    request.on('end', function () {
        if (response.writableEnded) return;
        const fields = new URLSearchParams(Buffer.concat(chunks).toString('utf8'));
        const args = [];
        for (let i = 0; fields.has(String(i)); i++) args.push(fields.get(String(i)));
        Promise.resolve()
            .then(function () { return procedure.apply(null, args); })
            .then(function (result) {
                orvaneAnswer(response, 200, result === undefined || result === null ? '' : String(result));
            }, function (error) {
                orvaneAnswer(response, 500, 'error: ' + (error && error.message ? error.message : String(error)));
            });
    });
});

orvaneServer.listen(port, orvaneHost, function () {
    console.log('Orvane Node.js server listening on ' + orvaneHost + ':' + port);
});
