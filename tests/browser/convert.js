// Converts a PureBasic program with the program folder's Orvane --console into a server folder
// of its own (the way tests/suites/sandbox.bash sets a run up), for browser tests of whole
// programs. ORVANE_DIST names another program folder than build/dist.
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { execFileSync } = require("node:child_process");

const root = path.resolve(__dirname, "../..");
const dist = process.env.ORVANE_DIST || path.join(root, "build/dist");

// Returns the server folder holding index.html and app.js; throws with the log when it fails.
function convert(program) {
    const work = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-convert-"));
    const server = path.join(work, "server");
    const config = path.join(work, "config");
    fs.mkdirSync(server);
    fs.mkdirSync(config);
    fs.copyFileSync(path.join(dist, "orv.pbi"), path.join(work, "orv.pbi"));
    const name = path.basename(program);
    const source =
        'XIncludeFile "orv.pbi"\r\n' +
        `ORV_SetConfig(#ORV_Config_TargetFolder, "${server}/")\r\n` +
        'ORV_SetConfig(#ORV_Config_ApplicationName, "app")\r\n' +
        fs.readFileSync(program, "utf8");
    fs.writeFileSync(path.join(work, name), source);
    const env = Object.assign({}, process.env, {
        XDG_CONFIG_HOME: config,
        HOME: work,
        QT_QPA_PLATFORM: "offscreen",
        BROWSER: "/bin/true",
        PB_TOOL_Compiler: path.join(root, "tests/fakes/pbcompiler"),
        PB_TOOL_Debugger: "1",
    });
    delete env.DISPLAY;
    delete env.WAYLAND_DISPLAY;
    try {
        execFileSync(path.join(dist, "Orvane"), ["--console", path.join(work, name)], { cwd: work, env, stdio: "pipe", timeout: 60000 });
    } catch (error) {
        throw new Error("conversion of " + name + " failed:\n" + String(error.stdout || "") + String(error.stderr || ""));
    }
    if (!fs.existsSync(path.join(server, "app.js"))) throw new Error("conversion of " + name + " wrote no app.js");
    return server;
}

module.exports = { convert, dist };
