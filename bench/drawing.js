// Drawing benchmark in headless Chromium: the runtime library against plain-canvas JavaScript
// doing the same work in the same page. Prints, per task, the fastest of seven runs of each and
// their ratio (runtime / plain; 1.0 means as fast as hand-written canvas code).
//
//   node bench/drawing.js                  (after scripts/build.sh)
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { chromium } = require("playwright-core");

const root = path.resolve(__dirname, "..");
const system = path.join(root, "build/dist/system");

// Each task runs in the page: runtime() with the library, plain() without; both return a check
// value so that neither can skip its work.
const tasks = {
    "plot every pixel of an 800x600 image": {
        runtime: () => {
            const { cDrawing: D, cImage: I } = window;
            I.CreateImage(0, 800, 600);
            D.StartDrawing(I.ImageOutput(0));
            for (let y = 0; y < 600; y++) for (let x = 0; x < 800; x++) D.Plot(x, y, D.RGB(x & 255, y & 255, (x + y) & 255));
            const check = D.Point(799, 599);
            D.StopDrawing();
            return check;
        },
        plain: () => {
            const pixels = new ImageData(800, 600);
            const data = new Uint32Array(pixels.data.buffer);
            for (let y = 0; y < 600; y++) for (let x = 0; x < 800; x++) data[y * 800 + x] = 0xff000000 | (x & 255) | ((y & 255) << 8) | (((x + y) & 255) << 16);
            return data[599 * 800 + 799] & 0xffffff;
        },
    },
    "plot every pixel of an 800x600 canvas (read and written back)": {
        runtime: () => {
            const { cDrawing: D, cScreen: S } = window;
            D.StartDrawing(S.ScreenOutput());
            for (let y = 0; y < 600; y++) for (let x = 0; x < 800; x++) D.Plot(x, y, D.RGB(x & 255, y & 255, (x + y) & 255));
            const check = D.Point(799, 599);
            D.StopDrawing();
            return check;
        },
        plain: () => {
            const context = window.benchCanvas.getContext("2d");
            const pixels = context.getImageData(0, 0, 800, 600);
            const data = new Uint32Array(pixels.data.buffer);
            for (let y = 0; y < 600; y++) for (let x = 0; x < 800; x++) data[y * 800 + x] = 0xff000000 | (x & 255) | ((y & 255) << 8) | (((x + y) & 255) << 16);
            context.putImageData(pixels, 0, 0);
            return data[599 * 800 + 799] & 0xffffff;
        },
    },
    "10,000 boxes on an 800x600 canvas": {
        runtime: () => {
            const { cDrawing: D, cScreen: S } = window;
            const boxes = window.benchBoxes;
            D.StartDrawing(S.ScreenOutput());
            for (let i = 0; i < boxes.length; i += 5) D.Box(boxes[i], boxes[i + 1], boxes[i + 2], boxes[i + 3], boxes[i + 4]);
            const check = D.Point(400, 300);
            D.StopDrawing();
            return check;
        },
        plain: () => {
            const context = window.benchCanvas.getContext("2d");
            const boxes = window.benchBoxes;
            for (let i = 0; i < boxes.length; i += 5) {
                const c = boxes[i + 4];
                context.fillStyle = "rgb(" + (c & 255) + "," + ((c >> 8) & 255) + "," + ((c >> 16) & 255) + ")";
                context.fillRect(boxes[i], boxes[i + 1], boxes[i + 2], boxes[i + 3]);
            }
            const p = context.getImageData(400, 300, 1, 1).data;
            return p[0] | (p[1] << 8) | (p[2] << 16);
        },
    },
    "1,000 frames of 100 moving sprites": {
        runtime: async () => {
            const { cSprite: S, cScreen: Scr } = window;
            for (let frame = 0; frame < 1000; frame++) {
                Scr.ClearScreen(0x402000);
                for (let i = 0; i < 100; i++) S.DisplayTransparentSprite(1, (i * 37 + frame * (1 + (i % 5))) % 780, (i * 53 + frame * (1 + (i % 3))) % 580);
                await Scr.FlipBuffers();
            }
            return 1000;
        },
        plain: async () => {
            const context = window.benchCanvas.getContext("2d");
            const sprite = window.benchSprite;
            const channel = new MessageChannel();
            let wake = null;
            channel.port1.onmessage = () => wake();
            const turn = () => new Promise((resolve) => {
                wake = resolve;
                channel.port2.postMessage(0);
            });
            for (let frame = 0; frame < 1000; frame++) {
                context.fillStyle = "rgb(0,32,64)";
                context.fillRect(0, 0, 800, 600);
                for (let i = 0; i < 100; i++) context.drawImage(sprite, (i * 37 + frame * (1 + (i % 5))) % 780, (i * 53 + frame * (1 + (i % 3))) % 580);
                await turn();
            }
            return 1000;
        },
    },
};

async function main() {
    const browser = await chromium.launch({
        executablePath: "/usr/bin/chromium",
        args: ["--headless", "--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
    });
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-bench-"));
    const tag = (file) => `<script src="file://${path.join(system, file)}"></script>`;
    fs.writeFileSync(
        path.join(folder, "index.html"),
        `<!DOCTYPE html><html><head>${tag("libraries/jquery/jquery.min.js")}${tag("libraries/orvane/orvane.min.js")}</head><body></body></html>`
    );
    try {
        const page = await browser.newPage({ viewport: { width: 1700, height: 700 } });
        await page.goto("file://" + path.join(folder, "index.html"));
        // One screen for the runtime, one canvas beside it for the plain code; the same sprite
        // (a 20 x 20 ball on black) and the same boxes for both.
        await page.evaluate(() => {
            const { cDrawing: D, cSprite: S, cScreen: Scr, cConstants: C } = window;
            S.InitSprite();
            Scr.OpenScreen(800, 600, 32, "Bench", C.PB_Screen_NoSynchronization);
            const screen = document.querySelector("canvas.orvane-screen");
            screen.style.cssText = "position:absolute;left:0;top:0;width:800px;height:600px";
            const canvas = document.createElement("canvas");
            canvas.width = 800;
            canvas.height = 600;
            canvas.style.cssText = "position:absolute;left:820px;top:0";
            document.body.appendChild(canvas);
            canvas.getContext("2d", { willReadFrequently: true });
            window.benchCanvas = canvas;
            S.CreateSprite(1, 20, 20);
            D.StartDrawing(S.SpriteOutput(1));
            D.Box(0, 0, 20, 20, 0);
            D.Circle(10, 10, 9, D.RGB(255, 200, 0));
            D.StopDrawing();
            const sprite = document.createElement("canvas");
            sprite.width = sprite.height = 20;
            const context = sprite.getContext("2d");
            context.fillStyle = "rgb(255,200,0)";
            context.beginPath();
            context.arc(10, 10, 9.5, 0, 2 * Math.PI);
            context.fill();
            window.benchSprite = sprite;
            let seed = 12345;
            const random = (n) => ((seed = (seed * 1103515245 + 12345) % 2147483648) % n);
            const boxes = [];
            for (let i = 0; i < 10000; i++) boxes.push(random(760), random(560), 1 + random(100), 1 + random(100), random(0x1000000));
            window.benchBoxes = boxes;
        });
        console.log("task                                                        runtime ms  plain ms   ratio");
        for (const [name, task] of Object.entries(tasks)) {
            const best = { runtime: Infinity, plain: Infinity };
            const checks = {};
            for (let round = 0; round < 7; round++) {
                for (const kind of ["runtime", "plain"]) {
                    const { ms, check } = await page.evaluate(
                        async (source) => {
                            const run = eval("(" + source + ")");
                            const started = performance.now();
                            const check = await run();
                            return { ms: performance.now() - started, check };
                        },
                        task[kind].toString()
                    );
                    best[kind] = Math.min(best[kind], ms);
                    checks[kind] = check;
                }
            }
            if (checks.runtime !== checks.plain) throw new Error(name + ": the runtime drew " + checks.runtime + ", the plain code " + checks.plain);
            console.log(
                name.padEnd(60) + best.runtime.toFixed(1).padStart(10) + best.plain.toFixed(1).padStart(10) + (best.runtime / best.plain).toFixed(2).padStart(8)
            );
        }
        await page.screenshot({ path: path.join(root, "build/screenshots/drawing-bench.png") });
    } finally {
        await browser.close();
        fs.rmSync(folder, { recursive: true, force: true });
    }
}

main().catch((error) => {
    console.error(error.stack || error);
    process.exit(1);
});
