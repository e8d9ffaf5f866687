// Converts programs with server code through the real converter and runs the server programs it
// writes on free ports of 127.0.0.1, each stopped again by the test that started it.
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

export const root = path.resolve(import.meta.dirname, '../..');
export const dist = process.env.ORVANE_DIST || path.join(root, 'build/dist');

export function freePort() {
    return new Promise((resolve, reject) => {
        const server = net.createServer();
        server.on('error', reject);
        server.listen(0, '127.0.0.1', () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
    });
}

// Debian's python3 carries Flask (python3-flask); another python3 earlier on PATH may not.
export function python() {
    for (const candidate of ['/usr/bin/python3', 'python3']) {
        const r = spawnSync(candidate, ['-c', 'import flask'], { stdio: 'ignore' });
        if (r.status === 0) return candidate;
    }
    return 'python3';
}

// A sandbox with its own settings and temporary folders; `profile` holds the profile's keys,
// where SERVER stands for the sandbox's server folder; `serverFolders` are made inside it first.
export function convert(source, profile, serverFolders = []) {
    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'orvane-servers-'));
    const folders = {
        work,
        src: path.join(work, 'src'),
        server: path.join(work, 'server'),
        tmp: path.join(work, 'tmp'),
        settings: path.join(work, 'config/Quillmoor/Orvane'),
        program: path.join(work, 'program'),
    };
    // The program folder is build/dist made of hard links, so tests can add files to it.
    const copy = spawnSync('cp', ['-al', dist, folders.program]);
    if (copy.status !== 0) throw new Error('cannot copy build/dist: ' + copy.stderr);
    const page = path.join(folders.program, 'system/index.html');
    if (!fs.existsSync(page))
        fs.writeFileSync(page, '<!DOCTYPE html>\n<html><head><title>Orvane</title></head><body></body></html>\n');
    for (const f of [folders.src, folders.server, folders.tmp, folders.settings])
        fs.mkdirSync(f, { recursive: true });
    for (const f of serverFolders) fs.mkdirSync(path.join(folders.server, f), { recursive: true });
    const lines = ['[profile:web]', 'serverpath = ' + folders.server + '/'];
    for (const [key, value] of Object.entries(profile)) lines.push(key + ' = ' + value.replaceAll('SERVER', folders.server));
    lines.push('AfterConvertingDoNothing = 1', 'AfterConvertingStartDefaultBrowser = 0');
    fs.writeFileSync(path.join(folders.settings, 'Orvane.ini'), lines.join('\r\n') + '\r\n');
    fs.copyFileSync(path.join(folders.program, 'orv.pbi'), path.join(folders.src, 'orv.pbi'));
    const program = path.join(folders.src, 'main.pb');
    fs.writeFileSync(program, source);
    const run = spawnSync(path.join(folders.program, 'Orvane'), ['--console', program], {
        env: {
            ...process.env,
            TMPDIR: folders.tmp,
            XDG_CONFIG_HOME: path.join(work, 'config'),
            PB_TOOL_Compiler: path.join(root, 'tests/fakes/pbcompiler'),
        },
        input: '',
        encoding: 'utf8',
        timeout: 60000,
    });
    return { ...folders, run, log: (run.stdout || '') + (run.stderr || '') };
}

// Starts a server and waits until its port answers; throws with its output when it ends first.
export async function startServer(command, args, port, options = {}) {
    const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'pipe'], ...options });
    let output = '';
    child.stdout.on('data', (d) => (output += d));
    child.stderr.on('data', (d) => (output += d));
    const deadline = Date.now() + 15000;
    while (Date.now() < deadline) {
        if (child.exitCode !== null) throw new Error(`${command} ended early:\n${output}`);
        const open = await new Promise((resolve) => {
            const socket = net.connect(port, '127.0.0.1');
            socket.on('connect', () => { socket.destroy(); resolve(true); });
            socket.on('error', () => resolve(false));
        });
        if (open) return { child, output: () => output };
        await new Promise((r) => setTimeout(r, 100));
    }
    child.kill('SIGKILL');
    throw new Error(`${command} did not listen on ${port}:\n${output}`);
}

export async function stopServer(server) {
    if (!server || server.child.exitCode !== null) return;
    const ended = new Promise((resolve) => server.child.on('exit', resolve));
    server.child.kill('SIGTERM');
    const timer = setTimeout(() => server.child.kill('SIGKILL'), 3000);
    await ended;
    clearTimeout(timer);
}

export async function post(url, fields = {}) {
    const response = await fetch(url, {
        method: 'POST',
        headers: { 'Content-Type': 'application/x-www-form-urlencoded' },
        body: new URLSearchParams(fields).toString(),
    });
    return { status: response.status, text: await response.text() };
}
