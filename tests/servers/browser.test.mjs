// Converted pages in Chromium calling their server procedures on real servers: the page's Debug
// output must show what the server computed, synchronously and asynchronously.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { chromium } from 'playwright-core';

import { convert, freePort, python, startServer, stopServer } from './harness.mjs';

const head = 'XIncludeFile "orv.pbi"\nORV_Converter_SetProfile("web")\n';
// The browser side: one synchronous call whose result is shown at once, and one asynchronous
// call whose result arrives in the callback.
const client =
    'Procedure GreetCallback(ok, result.s)\n' +
    '  Debug "async " + result\n' +
    'EndProcedure\n' +
    'Debug "sync " + Add(2, 3)\n' +
    'Greet("World")\n';

let browser;
before(async () => {
    browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run'],
    });
});
after(async () => {
    if (browser) await browser.close();
});

async function debugOutput(address, expected) {
    const page = await browser.newPage();
    const problems = [];
    page.on('pageerror', (e) => problems.push(e.message));
    try {
        await page.goto(address);
        const debug = page.locator('#orvane-debug');
        const deadline = Date.now() + 15000;
        let text = '';
        while (Date.now() < deadline) {
            text = (await debug.count()) ? await debug.innerText() : '';
            if (expected.every((line) => text.includes(line))) break;
            await page.waitForTimeout(100);
        }
        return { text, problems, page };
    } catch (e) {
        await page.close();
        throw e;
    }
}

// A request the page makes itself to a name that is not a server procedure.
async function refusedFromPage(page, url) {
    return page.evaluate(async (u) => {
        const r = await fetch(u, { method: 'POST', body: new URLSearchParams({ 0: 'x' }) });
        return { status: r.status, text: await r.text() };
    }, url);
}

function servers() {
    const running = [];
    return {
        async start(...args) {
            const s = await startServer(...args);
            running.push(s);
            return s;
        },
        async stopAll() {
            for (const s of running.splice(0)) await stopServer(s);
        },
    };
}

function checkPage(result, expected, c) {
    for (const line of expected)
        assert.ok(result.text.includes(line),
                  `Debug output lacks "${line}":\n${result.text}\npage errors: ${result.problems.join('; ')}\n` +
                      `conversion:\n${c.log}`);
}

describe('PHP in the browser', () => {
    const s = servers();
    let c, port;
    before(async () => {
        port = await freePort();
        c = convert(
            head +
                'EnablePHP\nProcedureDLL.s Add(a, b)\n! return $a + $b;\nEndProcedure\n' +
                "ProcedureCDLL.s Greet(name)\n! return 'Hello ' . $name;\nEndProcedure\nDisablePHP\n" +
                client,
            {
                phpfilename: 'SERVER/server.php',
                phpaddress: `http://127.0.0.1:${port}/server.php`,
                serveraddress: `http://127.0.0.1:${port}/index.html`,
            },
        );
        await s.start('php', ['-S', `127.0.0.1:${port}`, '-t', c.server], port);
    });
    after(async () => {
        await s.stopAll();
        fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('Debug shows the results the server computed', async () => {
        const expected = ['sync 5', 'async Hello World'];
        const r = await debugOutput(`http://127.0.0.1:${port}/index.html`, expected);
        try {
            checkPage(r, expected, c);
            const refused = await refusedFromPage(r.page, `/server.php?request=system`);
            assert.equal(refused.status, 404);
            assert.match(refused.text, /unknown request/);
        } finally {
            await r.page.close();
        }
    });
});

describe('Node.js in the browser', () => {
    const s = servers();
    let c, pagePort, nodePort;
    before(async () => {
        pagePort = await freePort();
        nodePort = await freePort();
        c = convert(
            head +
                'EnableNodeJs\n' +
                'ProcedureDLL.s Add(a, b)\n! function Add(a, b) { return String(Number(a) + Number(b)); }\nEndProcedure\n' +
                "ProcedureDLL.s Greet(name)\n! function Greet(name) { return 'Hello ' + name; }\nEndProcedure\n" +
                'DisableNodeJs\n' +
                // Node.js server procedures are synchronous only: the page calls both directly.
                'Debug "sync " + Add(2, 3)\nDebug "greet " + Greet("World")\n',
            {
                nodejsfilename: 'SERVER/server.js',
                nodejsaddress: `http://127.0.0.1:${nodePort}/`,
                serveraddress: `http://127.0.0.1:${pagePort}/index.html`,
            },
        );
        await s.start('node', [path.join(c.server, 'server.js')], nodePort);
        await s.start(python(), ['-m', 'http.server', '--bind', '127.0.0.1', '-d', c.server, String(pagePort)], pagePort);
    });
    after(async () => {
        await s.stopAll();
        fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('Debug shows the results the server computed', async () => {
        const expected = ['sync 5', 'greet Hello World'];
        const r = await debugOutput(`http://127.0.0.1:${pagePort}/index.html`, expected);
        try {
            checkPage(r, expected, c);
            const refused = await refusedFromPage(r.page, `http://127.0.0.1:${nodePort}/?request=constructor`);
            assert.equal(refused.status, 404);
        } finally {
            await r.page.close();
        }
    });
});

// Polarity is written the ordinary way: its body indented under the head, with an if block.
const pythonServerCode =
    'EnablePython\nProcedureDLL.s Add(a,b)\n! return str(int(a) + int(b))\nEndProcedure\n' +
    "ProcedureCDLL.s Greet(name)\n! return 'Hello ' + name\nEndProcedure\n" +
    "ProcedureDLL.s Polarity(n)\n  if int(n) < 0:\n    return 'negative'\n  return 'not negative'\nEndProcedure\n" +
    'DisablePython\n';
const pythonClient = client + 'Debug "polarity " + Polarity(-4)\n';
const pythonExpected = ['sync 5', 'async Hello World', 'polarity negative'];

describe('Python in the browser', () => {
    const s = servers();
    let c, pagePort, pyPort;
    before(async () => {
        pagePort = await freePort();
        pyPort = await freePort();
        c = convert(head + pythonServerCode + pythonClient, {
            pythonfilename: 'SERVER/server.py',
            pythonaddress: `http://127.0.0.1:${pyPort}`,
            serveraddress: `http://127.0.0.1:${pagePort}/index.html`,
        });
        await s.start(python(), [path.join(c.server, 'server.py')], pyPort);
        await s.start(python(), ['-m', 'http.server', '--bind', '127.0.0.1', '-d', c.server, String(pagePort)], pagePort);
    });
    after(async () => {
        await s.stopAll();
        fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('Debug shows the results the server computed', async () => {
        const expected = pythonExpected;
        const r = await debugOutput(`http://127.0.0.1:${pagePort}/index.html`, expected);
        try {
            checkPage(r, expected, c);
            const refused = await refusedFromPage(r.page, `http://127.0.0.1:${pyPort}/system`);
            assert.equal(refused.status, 404);
        } finally {
            await r.page.close();
        }
    });
});

describe('Flask in the browser', () => {
    const s = servers();
    let c, port;
    before(async () => {
        port = await freePort();
        c = convert(
            head + 'ORV_SetConfig(#ORV_Config_UseFlask, #True)\n' +
                `ORV_SetConfig(#ORV_Config_FlaskPort, "${port}")\n` + pythonServerCode + pythonClient,
            { serveraddress: 'http://127.0.0.1', pythonfilename: 'unused.py', applicationname: 'app' },
            ['templates', 'static'],
        );
        await s.start(python(), [path.join(c.server, 'app.py')], port);
    });
    after(async () => {
        await s.stopAll();
        fs.rmSync(c.work, { recursive: true, force: true });
    });

    test('Debug shows the results the server computed', async () => {
        const expected = pythonExpected;
        const r = await debugOutput(`http://127.0.0.1:${port}/`, expected);
        try {
            checkPage(r, expected, c);
            const refused = await refusedFromPage(r.page, '/system');
            assert.ok(refused.status >= 400);
            assert.match(refused.text, /unknown request/);
        } finally {
            await r.page.close();
        }
    });
});
