// The server programs the converter writes, run on real servers and called the way the client
// stubs call them; requests for anything but a declared server procedure must call nothing.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { convert, freePort, post, python, startServer, stopServer } from './harness.mjs';

const head = 'XIncludeFile "orv.pbi"\nORV_Converter_SetProfile("web")\n';

// Each server gets the same three kinds of hostile request: a function of the language or its
// runtime, a name that is not a server procedure, and a helper of the server code itself.
function expectRefused(result, name) {
    assert.ok(result.status >= 400, `${name}: status ${result.status}, answer ${result.text}`);
    assert.match(result.text, /unknown request/, name);
}

// Top-level assignments per language: each name once, so no default of the template is left
// beside the value the converter wrote.
const assignment = {
    php: /^\$(\w+)\s*=[^=]/,
    js: /^(?:var|let|const)\s+([\w$]+)\s*=/,
    py: /^([A-Za-z_]\w*)\s*=[^=]/,
};

function converted(c, file) {
    assert.ok(fs.existsSync(file), `no server program ${file}; conversion said:\n${c.log}`);
    const text = fs.readFileSync(file, 'utf8');
    assert.doesNotMatch(text, /### Orvane/, `${file} keeps a placeholder`);
    const pattern = assignment[path.extname(file).slice(1)];
    const names = new Set();
    for (const line of text.split('\n')) {
        const m = pattern.exec(line);
        if (!m) continue;
        assert.ok(!names.has(m[1]), `${file} assigns ${m[1]} twice`);
        names.add(m[1]);
    }
    return text;
}

// A procedure body written the ordinary way, indented under its head, with a block of its own.
const indentedPython =
    'ProcedureDLL.s Polarity(n)\n' +
    '  if int(n) < 0:\n' +
    "    return 'negative'\n" +
    "  return 'not negative'\n" +
    'EndProcedure\n';

describe('PHP server program under php -S', () => {
    let c, server, base;
    before(async () => {
        const port = await freePort();
        base = `http://127.0.0.1:${port}/server.php`;
        c = convert(
            head +
                'EnablePHP\n' +
                "! function orvane_test_helper() { return 'helper'; }\n" +
                'ProcedureDLL.s Add(a, b)\n! return $a + $b;\nEndProcedure\n' +
                "ProcedureCDLL.s Greet(name)\n! return 'Hello ' . $name;\nEndProcedure\n" +
                'DisablePHP\n' +
                'Debug Add(2, 3)\n',
            {
                phpfilename: 'SERVER/server.php',
                phpaddress: base,
                serveraddress: `http://127.0.0.1:${port}/index.html`,
            },
        );
        converted(c, path.join(c.server, 'server.php'));
        server = await startServer('php', ['-S', `127.0.0.1:${port}`, '-t', c.server], port);
    });
    after(async () => {
        await stopServer(server);
        if (c) fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('declared procedures answer with their results', async () => {
        assert.deepEqual(await post(`${base}?request=Add`, { 0: '2', 1: '3' }), { status: 200, text: '5' });
        const marker = path.join(c.work, 'marker');
        const code = `<?php touch('${marker}'); ?>`;
        assert.deepEqual(await post(`${base}?request=Greet`, { 0: code }), {
            status: 200,
            text: 'Hello ' + code,
        });
        assert.ok(!fs.existsSync(marker), 'posted text was run');
    });

    test('anything else calls nothing', async () => {
        const marker = path.join(c.work, 'marker');
        for (const name of ['system', 'exec', 'phpinfo', 'orvane_test_helper', 'Unknown', '../server', ''])
            expectRefused(await post(`${base}?request=${encodeURIComponent(name)}`, { 0: `touch ${marker}` }), name);
        assert.ok(!fs.existsSync(marker), 'a PHP built-in was called');
    });
});

describe('Node.js server program', () => {
    let c, server, base;
    before(async () => {
        const port = await freePort();
        base = `http://127.0.0.1:${port}/`;
        c = convert(
            head +
                'EnableNodeJs\n' +
                "! const orvaneTestFs = require('fs');\n" +
                'ProcedureDLL.s Add(a, b)\n! function Add(a, b) { return String(Number(a) + Number(b)); }\nEndProcedure\n' +
                "ProcedureDLL.s Greet(name)\n! function Greet(name) { return 'Hello ' + name; }\nEndProcedure\n" +
                "! function helper(file) { orvaneTestFs.writeFileSync(file, 'x'); return 'helper'; }\n" +
                'DisableNodeJs\n' +
                'Debug Add(2, 3)\n',
            { nodejsfilename: 'SERVER/server.js', nodejsaddress: base },
        );
        const file = path.join(c.server, 'server.js');
        converted(c, file);
        server = await startServer('node', [file], port);
    });
    after(async () => {
        await stopServer(server);
        if (c) fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('declared procedures answer with their results', async () => {
        assert.deepEqual(await post(`${base}?request=Add`, { 0: '2', 1: '40' }), { status: 200, text: '42' });
        const code = "'); require('fs').writeFileSync('x', 'y'); ('";
        assert.deepEqual(await post(`${base}?request=Greet`, { 0: code }), { status: 200, text: 'Hello ' + code });
    });

    test('anything else calls nothing', async () => {
        const marker = path.join(c.work, 'marker');
        for (const name of ['__proto__', 'constructor', 'toString', 'hasOwnProperty', 'system',
                            'require', 'eval', 'helper', 'add', '../server', ''])
            expectRefused(await post(`${base}?request=${encodeURIComponent(name)}`, { 0: marker }), name);
        assert.ok(!fs.existsSync(marker), 'a helper of the server code was called');
        // The server is still up and answering after all of that.
        assert.equal((await post(`${base}?request=Add`, { 0: '1', 1: '1' })).text, '2');
    });
});

describe('Python server program on the standard library', () => {
    let c, server, base;
    before(async () => {
        const port = await freePort();
        base = `http://127.0.0.1:${port}`;
        c = convert(
            head +
                'EnablePython\n' +
                '! import os\n' +
                indentedPython +
                'ProcedureDLL.s Add(a,b)\n! return str(int(a) + int(b))\nEndProcedure\n' +
                "ProcedureCDLL.s Greet(name)\n! return 'Hello ' + name\nEndProcedure\n" +
                'DisablePython\n' +
                'Debug Add(2, 3)\n',
            { pythonfilename: 'SERVER/server.py', pythonaddress: base },
        );
        const file = path.join(c.server, 'server.py');
        converted(c, file);
        server = await startServer(python(), [file], port);
    });
    after(async () => {
        await stopServer(server);
        if (c) fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('declared procedures answer with their results', async () => {
        assert.deepEqual(await post(`${base}/Add`, { 0: '20', 1: '22' }), { status: 200, text: '42' });
        assert.deepEqual(await post(`${base}/Polarity`, { 0: '-3' }), { status: 200, text: 'negative' });
        assert.deepEqual(await post(`${base}/Polarity`, { 0: '3' }), { status: 200, text: 'not negative' });
        const code = "__import__('os').system('touch x')";
        assert.deepEqual(await post(`${base}/Greet`, { 0: code }), { status: 200, text: 'Hello ' + code });
    });

    test('anything else calls nothing', async () => {
        for (const name of ['system', 'os', 'request', 'app', '__class__', '__init__', 'add', '..%2Fserver', ''])
            expectRefused(await post(`${base}/${name}`, { 0: 'x' }), name);
    });
});

describe('Flask server program', () => {
    let c, server, base;
    before(async () => {
        const port = await freePort();
        base = `http://127.0.0.1:${port}`;
        c = convert(
            head +
                'ORV_SetConfig(#ORV_Config_UseFlask, #True)\n' +
                `ORV_SetConfig(#ORV_Config_FlaskPort, "${port}")\n` +
                'EnablePython\n' +
                indentedPython +
                'ProcedureDLL.s Add(a,b)\n! return str(int(a) + int(b))\nEndProcedure\n' +
                "ProcedureCDLL.s Greet(name)\n! return 'Hello ' + name\nEndProcedure\n" +
                'DisablePython\n' +
                'Debug Add(2, 3)\n',
            { serveraddress: 'http://127.0.0.1', pythonfilename: 'unused.py', applicationname: 'app' },
        );
        const file = path.join(c.server, 'app.py');
        converted(c, file);
        server = await startServer(python(), [file], port);
    });
    after(async () => {
        await stopServer(server);
        if (c) fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('declared procedures answer with their results', async () => {
        assert.deepEqual(await post(`${base}/Add`, { 0: '2', 1: '3' }), { status: 200, text: '5' });
        assert.deepEqual(await post(`${base}/Polarity`, { 0: '-1' }), { status: 200, text: 'negative' });
        assert.deepEqual(await post(`${base}/Greet`, { 0: '<b>x</b>' }), { status: 200, text: 'Hello <b>x</b>' });
    });

    test('the page is rendered as a template, its files come from static', async () => {
        fs.mkdirSync(path.join(c.server, 'templates'), { recursive: true });
        fs.mkdirSync(path.join(c.server, 'static'), { recursive: true });
        fs.writeFileSync(path.join(c.server, 'templates/probe.html'), "<script src=\"{{url_for('static', filename='a.js')}}\"></script>");
        fs.writeFileSync(path.join(c.server, 'static/a.js'), 'var a = 1;');
        assert.equal(await (await fetch(`${base}/probe.html`)).text(), '<script src="/static/a.js"></script>');
        assert.equal(await (await fetch(`${base}/static/a.js`)).text(), 'var a = 1;');
        for (const probe of ['/missing.html', '/app.py', '/..%2Fapp.py', '/static/..%2F..%2Fapp.py'])
            assert.equal((await fetch(base + probe)).status, 404, probe);
    });

    test('anything else calls nothing', async () => {
        for (const name of ['system', 'static', 'orvane_index_page', '__class__', 'add', ''])
            expectRefused(await post(`${base}/${name}`, { 0: 'x' }), name);
    });
});
