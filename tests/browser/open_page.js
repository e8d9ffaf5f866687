// Opens a converted page in Debian's Chromium and checks what a user would see go wrong:
// script errors, and scripts or stylesheets of the page that did not load.
//
//   node tests/browser/open_page.js URL SCREENSHOT.png [TEXT...]
//
// Each TEXT must appear in the page once the application script has run. Exits 1 on any fault.
"use strict";
const { chromium } = require("playwright-core");

async function main() {
    const [url, screenshot, ...expected] = process.argv.slice(2);
    if (!url || !screenshot) {
        console.error("usage: open_page.js URL SCREENSHOT.png [TEXT...]");
        return 2;
    }
    const browser = await chromium.launch({
        executablePath: "/usr/bin/chromium",
        args: [
            "--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--no-first-run",
        ],
    });
    const faults = [];
    try {
        const page = await browser.newPage({ viewport: { width: 900, height: 600 } });
        const status = new Map();
        page.on("pageerror", (e) =>
            faults.push("script error: " + (e.stack || e.message).split("\n").slice(0, 2).join(" ")),
        );
        page.on("console", (m) => {
            if (m.type() === "error")
                faults.push(`console error: ${m.text()} (${m.location().url || "page"})`);
        });
        page.on("response", (r) => status.set(r.url(), r.status()));
        page.on("requestfailed", (r) => status.set(r.url(), "failed: " + r.failure().errorText));

        await page.goto(url, { waitUntil: "load", timeout: 30000 });
        // The ready handler clears the wait picture as its first act; mobile pages are done
        // when jQuery Mobile has set up the page.
        await page
            .waitForFunction(
                () =>
                    document.body.style.backgroundImage === "none" ||
                    document.documentElement.classList.contains("ui-mobile"),
                null,
                { timeout: 15000 },
            )
            .catch(() => faults.push("the application script did not start"));
        await page.waitForLoadState("networkidle").catch(() => {});

        const named = await page.evaluate(() =>
            [...document.querySelectorAll("script[src], link[rel~='stylesheet'][href]")].map(
                (e) => e.src || e.href,
            ),
        );
        if (named.length === 0) faults.push("the page names no script or stylesheet");
        for (const address of named) {
            const code = status.get(address);
            if (code !== 200 && code !== 304) faults.push(`${address}: ${code ?? "never requested"}`);
        }
        for (const [address, code] of status) {
            if (typeof code !== "number" || code >= 400) faults.push(`${address}: ${code}`);
        }
        // A stylesheet read in the wrong encoding loads but holds nothing. A file that holds
        // nothing but a comment (a stand-in for a library we do not deliver) is meant to be empty.
        // Sheets of a page opened from a file cannot be read from the page and are left out.
        const empty = await page.evaluate(async () => {
            const faulty = [];
            for (const sheet of document.styleSheets) {
                try {
                    if (sheet.cssRules.length > 0) continue;
                } catch (e) {
                    continue;
                }
                if (sheet.href) {
                    const text = await (await fetch(sheet.href)).text();
                    if (text.replace(/\/\*[\s\S]*?\*\//g, "").trim() === "") continue;
                }
                faulty.push(sheet.href || "an inline stylesheet");
            }
            return faulty;
        });
        for (const sheet of empty) faults.push(`${sheet}: the stylesheet holds no rules`);
        const text = await page.evaluate(() => document.body.innerText);
        for (const want of expected) {
            if (!text.includes(want)) faults.push(`the page does not show "${want}"`);
        }
        await page.screenshot({ path: screenshot, fullPage: true });
        console.log(`open_page: ${named.length} scripts and stylesheets loaded from ${url}`);
    } finally {
        await browser.close();
    }
    const distinct = [...new Set(faults)];
    for (const f of distinct) console.error("open_page: " + f);
    return distinct.length ? 1 : 0;
}

main().then(
    (code) => process.exit(code),
    (e) => {
        console.error("open_page: " + (e && e.stack ? e.stack : e));
        process.exit(1);
    },
);
