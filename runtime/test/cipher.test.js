"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const crypto = require("node:crypto");
const fs = require("node:fs");
const path = require("node:path");
const { loadPage, root } = require("./load.js");

// The page loads crypto-js before a program that uses cCipher, as here.
function pageWithCryptoJS() {
    const page = loadPage();
    page.window.eval(fs.readFileSync(path.join(root, "node_modules/crypto-js/crypto-js.js"), "utf8"));
    return page;
}

test("fingerprints of strings and memory in every plugin, format and with HMAC", () => {
    const page = pageWithCryptoJS();
    const { cCipher: C, cString } = page.window;
    const fox = "The quick brown fox jumps over the lazy dog";
    const node = (name, data) => crypto.createHash(name).update(data).digest("hex");
    assert.equal(C.StringFingerprint(fox, 2), "414fa339");
    assert.equal(C.StringFingerprint("", 2), "00000000");
    assert.equal(C.StringFingerprint(fox, 1), node("md5", fox));
    assert.equal(C.StringFingerprint("Grüße", 3), node("sha1", Buffer.from("Grüße", "utf8")));
    assert.equal(C.StringFingerprint("Grüße", 3, 0, 24), node("sha1", Buffer.from("Grüße", "latin1")));
    assert.equal(C.StringFingerprint("Grüße", 3, 0, 25), node("sha1", Buffer.from("Grüße", "utf16le")));
    for (const bits of [224, 256, 384, 512]) {
        assert.equal(C.StringFingerprint(fox, 4, bits), node("sha" + bits, fox), "SHA2 " + bits);
        assert.equal(C.StringFingerprint(fox, 5, bits), node("sha3-" + bits, fox), "SHA3 " + bits);
    }
    const long = "x".repeat(300);
    assert.equal(C.StringFingerprint(long, 5), node("sha3-256", long), "more than one block");
    assert.equal(
        C.StringFingerprint("the message to hash here", 4 | 65536, 256, 24, "the shared secret key here", 24),
        "4643978965ffcec6e6d73b36a39ae43ceb15f7ef8131b8307862ebc560e7f988"
    );
    const key = "k".repeat(200);
    assert.equal(C.StringFingerprint(fox, 5 | 65536, 256, 2, key), crypto.createHmac("sha3-256", key).update(fox).digest("hex"));
    const buffer = cString.UTF8(fox);
    assert.equal(C.Fingerprint(buffer, 43, 1), node("md5", fox));
    assert.equal(C.CRC32Fingerprint(buffer, 43), 0x414fa339);
    const id = C.StartFingerprint(-1, 4);
    C.AddFingerprintBuffer(id, buffer, 10);
    C.AddFingerprintBuffer(id, buffer + 10, 33);
    assert.equal(C.FinishFingerprint(id), node("sha256", fox));
    assert.equal(C.IsFingerprint(id), 0);
});

test("Base64 both ways, URL alphabet and no padding", () => {
    const page = loadPage();
    const { cCipher: C, cString, cMemory: M } = page.window;
    const text = cString.UTF8("This is a test string!?>");
    assert.equal(C.Base64Encoder(text, 22), "VGhpcyBpcyBhIHRlc3Qgc3RyaW5nIQ==");
    assert.equal(C.Base64Encoder(text, 24, 32 | 16), "VGhpcyBpcyBhIHRlc3Qgc3RyaW5nIT8-");
    const out = M.AllocateMemory(64);
    assert.equal(C.Base64Decoder("VGhpcyBpcyBhIHRlc3Qgc3RyaW5nIT8-", out, 64), 24);
    assert.equal(M.PeekS(out, 24, 2), "This is a test string!?>");
    assert.equal(C.Base64Decoder("QUJD", out, 2), 2, "no more than the output holds");
});

test("OnError: a handler gets the runtime's fatal errors, the program stops there", async () => {
    const page = loadPage();
    const w = page.window;
    await page.run(`cPB.Async(async function () {
        cOnError.OnErrorCall(async function () {
            cDebugger.Debug("handler: " + cOnError.ErrorMessage() + " " + (cOnError.ErrorCode() === cConstants.PB_OnError_DivideByZero));
            await cMisc.Delay(5);
            cDebugger.Debug("handler done");
        });
        cDebugger.Debug("before");
        cPB.Div(1, 0);
        cDebugger.Debug("never");
    })`);
    await new Promise((resolve) => setTimeout(resolve, 30));
    assert.deepEqual(page.debug, ["before", "handler: Division by zero true", "handler done"]);
    assert.equal(w.cCommon.ORV_Ended, true);

    const other = loadPage();
    await other.run(`cPB.Async(function () {
        cOnError.OnErrorCall(function () { cDebugger.Debug(cOnError.ErrorMessage() + " at " + (cOnError.ErrorTargetAddress() === 0)); });
        cMemory.PeekI(0);
    })`);
    assert.deepEqual(other.debug, ["Invalid memory access at true"]);

    const plain = loadPage();
    plain.window.cOnError.OnErrorExit();
    assert.throws(() => plain.window.cMemory.PokeI(8, 1), (e) => e instanceof plain.window.ORV_EndOfProgram);
    assert.deepEqual(plain.debug, ["[ERROR] *MemoryBuffer does not point to valid memory.", "The program ended with exit code 1."]);

    const raised = loadPage();
    assert.throws(() => raised.window.cOnError.RaiseError(7), (e) => e instanceof raised.window.ORV_EndOfProgram);
    assert.deepEqual(raised.debug, ["[ERROR] Error 7", "The program ended with exit code 1."]);
});
