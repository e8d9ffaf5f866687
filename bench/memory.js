// Measures the language core and the memory library against the plain JavaScript they stand for,
// in one run in headless Chromium (jsdom's global lookups would make every side slow alike):
//   node bench/memory.js [orvane.js]
// Each figure is the fastest of five repetitions; the ratios are printed.
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { chromium } = require("playwright-core");

const root = path.resolve(__dirname, "..");
const runtime = process.argv[2] || path.join(root, "build/dist/system/libraries/orvane/orvane.js");

function measure() {
    const time = (work) => {
        let best = Infinity;
        for (let k = 0; k < 5; k++) {
            const started = performance.now();
            work();
            best = Math.min(best, performance.now() - started);
        }
        return best;
    };
    const N = 1000000;
    const { cMemory, cPB, cArray } = window;
    const a = cArray.Dim(Float64Array, [N - 1]);
    const at = cMemory.ORV_Address(a);
    const raw = cMemory.AllocateMemory(N * 8);
    const bytes = cArray.Dim(Int8Array, [N * 10 - 1]);
    const text = "x".repeat(1000);
    const snapshot = cMemory.ORV_Address(text);
    let sink = 0;
    const t = {
        plain: time(() => {
            for (let i = 0; i < N; i++) a[i] = i;
            for (let i = 0; i < N; i++) sink += a[i];
        }),
        raw: time(() => {
            for (let i = 0; i < N; i++) cMemory.PokeI(raw + i * 8, i);
            for (let i = 0; i < N; i++) sink += cMemory.PeekI(raw + i * 8);
        }),
        array: time(() => {
            for (let i = 0; i < N; i++) cMemory.PokeI(at + i * 8, i);
            for (let i = 0; i < N; i++) sink += cMemory.PeekI(at + i * 8);
        }),
        fill: time(() => bytes.fill(1)),
        fillMemory: time(() => cMemory.FillMemory(cMemory.ORV_Address(bytes), N * 10, 1)),
        trunc: time(() => {
            for (let i = 1; i < N; i++) sink += Math.trunc(1e6 / i);
        }),
        div: time(() => {
            for (let i = 1; i < N; i++) sink += cPB.Div(1e6, i);
        }),
        and: time(() => {
            for (let i = 1; i < N; i++) sink += i & 255;
        }),
        and32: time(() => {
            for (let i = 1; i < N; i++) sink += cPB.And(i, 255);
        }),
        and64: time(() => {
            for (let i = 1; i < N; i++) sink += cPB.And(i + 4294967296, 255);
        }),
        chars: time(() => {
            for (let k = 0; k < 1000; k++) for (let i = 0; i < 1000; i++) sink += text.charCodeAt(i);
        }),
        field: time(() => {
            for (let k = 0; k < 1000; k++) for (let i = 0; i < 1000; i++) sink += cMemory.ORV_Get(snapshot + i * 2, 0, 11, "c");
        }),
    };
    t.sink = sink;
    return t;
}

async function main() {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-bench-"));
    const page_file = path.join(folder, "bench.html");
    fs.writeFileSync(page_file, `<!DOCTYPE html><html><body><script src="file://${runtime}"></script></body></html>`);
    const browser = await chromium.launch({
        executablePath: "/usr/bin/chromium",
        args: ["--headless", "--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
    });
    try {
        const page = await browser.newPage();
        await page.goto("file://" + page_file);
        const t = await page.evaluate(measure);
        const ratio = (a, b) => (t[a] / t[b]).toFixed(1);
        console.log(`PokeI + PeekI in raw memory / a plain typed array:  ${ratio("raw", "plain")}`);
        console.log(`PokeI + PeekI through @a() / a plain typed array:   ${ratio("array", "plain")}`);
        console.log(`FillMemory(@b()) / b.fill():                        ${ratio("fillMemory", "fill")}`);
        console.log(`cPB.Div / Math.trunc(a / b):                        ${ratio("div", "trunc")}`);
        console.log(`cPB.And on 32-bit values / &:                       ${ratio("and32", "and")}`);
        console.log(`cPB.And beyond 32 bits / &:                         ${ratio("and64", "and")}`);
        console.log(`*c\\c of a string through ORV_Get / charCodeAt:     ${ratio("field", "chars")}`);
    } finally {
        await browser.close();
        fs.rmSync(folder, { recursive: true, force: true });
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
