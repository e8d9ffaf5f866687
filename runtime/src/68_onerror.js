// The OnError library. The runtime's fatal errors (division by zero, invalid memory) and
// RaiseError go to the program's handler when one is set; otherwise they are error lines.

var ORV_OnError_InvalidMemory = 0xc0000005;
var ORV_OnError_DivideByZero = 0xc0000094;

// ErrorMessage() texts, after OnError.txt's names of the errors.
var orvErrorTexts = {
    0xc0000005: "Invalid memory access",
    0xc0000090: "Floating-point error",
    0x80000003: "Breakpoint",
    0xc000001d: "Illegal instruction",
    0xc0000096: "Privileged instruction",
    0xc0000094: "Division by zero",
};

// action: 0 the default (an error line), 1 exit, 2 call the handler, 3 go to the handler.
var orvOnError = { action: 0, handler: null, code: 0, target: 0 };

// Hands an error to the program's handler (OnErrorCall, OnErrorGoto). Returns false when there
// is none; otherwise it does not return: the program is stopped where it was.
function orvRaise(code, address) {
    var action = orvOnError.action;
    var handler = orvOnError.handler;
    if (action < 2 || typeof handler !== "function") return false;
    orvOnError.code = code;
    orvOnError.target = address === undefined ? 0 : Number(address) || 0;
    if (action === 2) {
        // the program ends when the handler returns; a handler that awaits (Input) ends later
        orvOnError.action = 0;
        var result;
        try {
            result = handler();
        } catch (error) {
            if (!(error instanceof ORV_EndOfProgram)) orvReportFailure(error);
        }
        if (result && typeof result.then === "function") {
            result.then(orvEndAfterHandler, function (error) {
                if (!(error instanceof ORV_EndOfProgram)) orvReportFailure(error);
                orvEndAfterHandler();
            });
        } else {
            orvEndAfterHandler();
        }
        throw new ORV_EndOfProgram();
    }
    // OnErrorGoto: the handler is where the program goes on; the failed statement is left
    var jump = handler();
    if (jump && typeof jump.then === "function") {
        jump.then(undefined, function (error) {
            if (!(error instanceof ORV_EndOfProgram)) orvReportFailure(error);
        });
    }
    throw new ORV_EndOfProgram();
}

function orvEndAfterHandler() {
    if (cCommon.ORV_Ended) return;
    cCommon.ORV_Ended = true;
    cConsole.ORV_StopInput();
}

var cOnError = (global.cOnError = {
    OnErrorCall: function (handler) {
        orvOnError.action = 2;
        orvOnError.handler = handler;
    },
    // The converter passes the code that follows the label as a function (the label's part of the
    // lowered program); a label it cannot reach that way is shown as an error when used.
    OnErrorGoto: function (label) {
        if (typeof label !== "function") {
            cPB.Error("OnErrorGoto(): the label cannot be jumped to in the browser; errors end the program.");
            orvOnError.action = 1;
            return;
        }
        orvOnError.action = 3;
        orvOnError.handler = label;
    },
    OnErrorExit: function () {
        orvOnError.action = 1;
        orvOnError.handler = null;
    },
    OnErrorDefault: function () {
        orvOnError.action = 0;
        orvOnError.handler = null;
    },
    ErrorCode: function () {
        return orvOnError.code;
    },
    ErrorMessage: function (code) {
        code = code === undefined ? orvOnError.code : orvInt(code);
        if (code === 0 && orvOnError.code === 0) return "";
        return orvErrorTexts[code >>> 0] || "Error " + code;
    },
    // Line numbers of the source are not tracked in the browser.
    ErrorLine: function () {
        return -1;
    },
    ErrorFile: function () {
        return "OnError line support disabled";
    },
    ErrorAddress: function () {
        return 0;
    },
    ErrorTargetAddress: function () {
        return orvOnError.code === ORV_OnError_InvalidMemory ? orvOnError.target : 0;
    },
    ErrorRegister: function () {
        return 0;
    },
    // Without a handler the error ends the program, as the system would end it.
    RaiseError: function (code) {
        code = orvInt(code);
        if (orvRaise(code)) return;
        orvOnError.code = code;
        cPB.Error(cOnError.ErrorMessage(code));
        cCommon.End(1);
    },
});
