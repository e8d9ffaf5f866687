// Opens a converted program's start page in headless Chromium and prints what the page shows:
// the Debug lines of the debug area, then the console area's text. The lines of the file named by
// ORVANE_ANSWERS are typed on the keyboard into the console's input line, one each time the
// program waits at Input. Page errors go to stderr and make the exit code 1.
"use strict";
const { chromium } = require("playwright-core");

async function main() {
    const page_url = "file://" + require("node:path").resolve(process.argv[2]);
    const browser = await chromium.launch({
        executablePath: "/usr/bin/chromium",
        args: ["--headless", "--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
    });
    const errors = [];
    try {
        const page = await browser.newPage();
        page.on("pageerror", (error) => {
            if (!String(error).includes("End of program")) errors.push(String(error));
        });
        await page.goto(page_url, { waitUntil: "load", timeout: 20000 });
        await page.waitForTimeout(300);
        const file = process.env.ORVANE_ANSWERS;
        const answers = file ? require("node:fs").readFileSync(file, "utf8").split("\n") : [];
        if (answers.length && answers[answers.length - 1] === "") answers.pop();
        for (const answer of answers) {
            const line = await page.waitForSelector("#orvane-console input.orvane-input", { timeout: 5000 }).catch(() => null);
            if (!line) break;
            await line.focus();
            await page.keyboard.type(answer);
            await page.keyboard.press("Enter");
            await page.waitForTimeout(100);
        }
        const shown = await page.evaluate(() => {
            const rows = Array.from(document.querySelectorAll("#orvane-debug > div"), (row) => row.textContent + "\n");
            const area = document.getElementById("orvane-console");
            return rows.join("") + (area ? area.textContent : "");
        });
        process.stdout.write(shown);
    } finally {
        await browser.close();
    }
    for (const error of errors) process.stderr.write("error: " + error + "\n");
    process.exit(errors.length ? 1 : 0);
}

main().catch((error) => {
    process.stderr.write("error: " + (error.stack || error) + "\n");
    process.exit(1);
});
