// Keyboard and mouse for games: the page's key and mouse events kept as a state that
// ExamineKeyboard and ExamineMouse take a snapshot of, as the desktop's direct input does once
// per frame. Keys are PureBasic's key numbers (the keyboard's scan codes).

// KeyboardEvent.code of each key (its place on the keyboard) and its PureBasic number.
var ORV_KEY_CODES = {
    Escape: 0x01, Digit1: 0x02, Digit2: 0x03, Digit3: 0x04, Digit4: 0x05, Digit5: 0x06, Digit6: 0x07,
    Digit7: 0x08, Digit8: 0x09, Digit9: 0x0a, Digit0: 0x0b, Minus: 0x0c, Equal: 0x0d, Backspace: 0x0e,
    Tab: 0x0f, KeyQ: 0x10, KeyW: 0x11, KeyE: 0x12, KeyR: 0x13, KeyT: 0x14, KeyY: 0x15, KeyU: 0x16,
    KeyI: 0x17, KeyO: 0x18, KeyP: 0x19, BracketLeft: 0x1a, BracketRight: 0x1b, Enter: 0x1c,
    ControlLeft: 0x1d, KeyA: 0x1e, KeyS: 0x1f, KeyD: 0x20, KeyF: 0x21, KeyG: 0x22, KeyH: 0x23,
    KeyJ: 0x24, KeyK: 0x25, KeyL: 0x26, Semicolon: 0x27, Quote: 0x28, Backquote: 0x29, ShiftLeft: 0x2a,
    Backslash: 0x2b, KeyZ: 0x2c, KeyX: 0x2d, KeyC: 0x2e, KeyV: 0x2f, KeyB: 0x30, KeyN: 0x31, KeyM: 0x32,
    Comma: 0x33, Period: 0x34, Slash: 0x35, ShiftRight: 0x36, NumpadMultiply: 0x37, AltLeft: 0x38,
    Space: 0x39, CapsLock: 0x3a, F1: 0x3b, F2: 0x3c, F3: 0x3d, F4: 0x3e, F5: 0x3f, F6: 0x40, F7: 0x41,
    F8: 0x42, F9: 0x43, F10: 0x44, NumLock: 0x45, ScrollLock: 0x46, Numpad7: 0x47, Numpad8: 0x48,
    Numpad9: 0x49, NumpadSubtract: 0x4a, Numpad4: 0x4b, Numpad5: 0x4c, Numpad6: 0x4d, NumpadAdd: 0x4e,
    Numpad1: 0x4f, Numpad2: 0x50, Numpad3: 0x51, Numpad0: 0x52, NumpadDecimal: 0x53, F11: 0x57,
    F12: 0x58, NumpadEnter: 0x9c, ControlRight: 0x9d, NumpadComma: 0xb3, NumpadDivide: 0xb5,
    AltRight: 0xb8, Pause: 0xc5, Home: 0xc7, ArrowUp: 0xc8, PageUp: 0xc9, ArrowLeft: 0xcb,
    ArrowRight: 0xcd, End: 0xcf, ArrowDown: 0xd0, PageDown: 0xd1, Insert: 0xd2, Delete: 0xd3,
};

// With #PB_Keyboard_International a letter or digit key is the one its character names.
var ORV_KEY_OF_CHARACTER = {};
Object.keys(ORV_KEY_CODES).forEach(function (code) {
    var match = /^(Key|Digit)(.)$/.exec(code);
    if (match) ORV_KEY_OF_CHARACTER[match[2].toLowerCase()] = ORV_KEY_CODES[code];
});

// Keys that scroll or leave the page; a game on a screen keeps them.
var ORV_GAME_KEYS = { 0x0e: 1, 0x0f: 1, 0x39: 1, 0xc7: 1, 0xc8: 1, 0xc9: 1, 0xcb: 1, 0xcd: 1, 0xcf: 1, 0xd0: 1, 0xd1: 1 };

var orvKeyboard = {
    initialized: false,
    international: false,
    down: new Uint8Array(256),
    pressedSince: new Uint8Array(256),
    pushed: new Uint8Array(256),
    released: new Uint8Array(256),
    typed: "",
    inkey: "",
};

function orvKeyNumber(event) {
    if (orvKeyboard.international && event.key && event.key.length === 1) {
        var byCharacter = ORV_KEY_OF_CHARACTER[event.key.toLowerCase()];
        if (byCharacter) return byCharacter;
    }
    return ORV_KEY_CODES[event.code] || 0;
}

function orvTypingInField(event) {
    var target = event.target;
    return target && (target.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(target.tagName || ""));
}

function orvKeyDown(event) {
    var key = orvKeyNumber(event);
    if (key) {
        orvKeyboard.down[key] = 1;
        orvKeyboard.pressedSince[key] = 1;
    }
    if (event.key && event.key.length === 1 && !event.ctrlKey && !event.metaKey) orvKeyboard.typed += event.key;
    if (orvScreen && key && ORV_GAME_KEYS[key] && !orvTypingInField(event)) event.preventDefault();
}

function orvKeyUp(event) {
    var key = orvKeyNumber(event);
    if (key) orvKeyboard.down[key] = 0;
}

// A window that loses the focus sees no key going up: every key counts as released.
function orvKeyboardBlur() {
    orvKeyboard.down.fill(0);
}

function orvKeyboardReady(name) {
    if (orvKeyboard.initialized) return true;
    orvDrawingReport("keyboard " + name, name + "(): InitKeyboard() must be called before using the keyboard commands.");
    return false;
}

function orvKeyState(table, key) {
    key = orvInt(key);
    if (key === -1) {
        for (var k = 1; k < 256; k++) if (table[k]) return 1;
        return 0;
    }
    return key > 0 && key < 256 && table[key] ? 1 : 0;
}

var cKeyboard = (global.cKeyboard = {
    InitKeyboard: function () {
        if (typeof document === "undefined") return 0;
        if (!orvKeyboard.initialized) {
            document.addEventListener("keydown", orvKeyDown, true);
            document.addEventListener("keyup", orvKeyUp, true);
            window.addEventListener("blur", orvKeyboardBlur);
            orvKeyboard.initialized = true;
        }
        return 1;
    },

    // A key pressed and let go between two calls still counts as pushed once, then released.
    ExamineKeyboard: function () {
        if (!orvKeyboardReady("ExamineKeyboard")) return;
        var k = orvKeyboard;
        for (var key = 0; key < 256; key++) {
            var now = k.down[key] || k.pressedSince[key] ? 1 : 0;
            k.released[key] = k.pushed[key] && !now ? 1 : 0;
            k.pushed[key] = now;
        }
        k.pressedSince.fill(0);
        k.inkey = k.typed;
        k.typed = "";
    },

    KeyboardPushed: function (key) {
        if (!orvKeyboardReady("KeyboardPushed")) return 0;
        return orvKeyState(orvKeyboard.pushed, key);
    },

    KeyboardReleased: function (key) {
        if (!orvKeyboardReady("KeyboardReleased")) return 0;
        return orvKeyState(orvKeyboard.released, key);
    },

    // The characters typed before the last ExamineKeyboard (usually one).
    KeyboardInkey: function () {
        if (!orvKeyboardReady("KeyboardInkey")) return "";
        var text = orvKeyboard.inkey;
        orvKeyboard.inkey = "";
        return text;
    },

    KeyboardMode: function (flags) {
        orvKeyboard.international = (orvInt(flags) & 1) !== 0;
    },
});

var orvMouse = {
    initialized: false,
    x: 0,
    y: 0,
    offsetX: 0,
    offsetY: 0,
    moveX: 0,
    moveY: 0,
    wheel: 0,
    buttons: 0,
    seenX: 0,
    seenY: 0,
    seenButtons: 0,
    deltaX: 0,
    deltaY: 0,
    seenWheel: 0,
};

// Where the mouse is on the screen in screen pixels (a full screen may be scaled).
function orvMouseOnScreen(event) {
    if (!orvScreen) return { x: event.clientX, y: event.clientY };
    var box = orvScreen.canvas.getBoundingClientRect();
    var scaleX = box.width ? orvScreen.width / box.width : 1;
    var scaleY = box.height ? orvScreen.height / box.height : 1;
    return { x: (event.clientX - box.left) * scaleX, y: (event.clientY - box.top) * scaleY };
}

function orvMouseMove(event) {
    var p = orvMouseOnScreen(event);
    orvMouse.x = p.x;
    orvMouse.y = p.y;
    orvMouse.moveX += event.movementX || 0;
    orvMouse.moveY += event.movementY || 0;
    orvMouse.buttons = event.buttons;
}

function orvMouseButton(event) {
    orvMouse.buttons = event.buttons;
    if (event.type === "mousedown") {
        // A click shorter than one frame still counts once.
        orvMouse.clicked = (orvMouse.clicked || 0) | (1 << event.button);
    }
}

function orvMouseWheel(event) {
    orvMouse.wheel += event.deltaY < 0 ? 1 : event.deltaY > 0 ? -1 : 0;
}

function orvMouseReady(name) {
    if (orvMouse.initialized) return true;
    orvDrawingReport("mouse " + name, name + "(): InitMouse() must be called before using the mouse commands.");
    return false;
}

var cMouse = (global.cMouse = {
    InitMouse: function () {
        if (typeof document === "undefined") return 0;
        if (!orvMouse.initialized) {
            document.addEventListener("mousemove", orvMouseMove, true);
            document.addEventListener("mousedown", orvMouseButton, true);
            document.addEventListener("mouseup", orvMouseButton, true);
            document.addEventListener("wheel", orvMouseWheel, { capture: true, passive: true });
            orvMouse.initialized = true;
        }
        return 1;
    },

    ExamineMouse: function () {
        if (!orvMouseReady("ExamineMouse")) return 0;
        var m = orvMouse;
        var width = orvScreen ? orvScreen.width : Infinity, height = orvScreen ? orvScreen.height : Infinity;
        m.seenX = Math.max(0, Math.min(width - 1, Math.round(m.x + m.offsetX)));
        m.seenY = Math.max(0, Math.min(height - 1, Math.round(m.y + m.offsetY)));
        // event.button numbers 0 left, 1 middle, 2 right; event.buttons bits 1 left, 2 right, 4 middle.
        var clicked = m.clicked || 0;
        m.seenButtons = m.buttons | (clicked & 1 ? 1 : 0) | (clicked & 4 ? 2 : 0) | (clicked & 2 ? 4 : 0);
        m.clicked = 0;
        m.deltaX = Math.round(m.moveX);
        m.deltaY = Math.round(m.moveY);
        m.moveX = 0;
        m.moveY = 0;
        m.seenWheel = m.wheel;
        m.wheel = 0;
        return 1;
    },

    MouseX: function () {
        return orvMouseReady("MouseX") ? orvMouse.seenX : 0;
    },
    MouseY: function () {
        return orvMouseReady("MouseY") ? orvMouse.seenY : 0;
    },
    MouseDeltaX: function () {
        if (!orvMouseReady("MouseDeltaX")) return 0;
        var delta = orvMouse.deltaX;
        orvMouse.deltaX = 0;
        return delta;
    },
    MouseDeltaY: function () {
        if (!orvMouseReady("MouseDeltaY")) return 0;
        var delta = orvMouse.deltaY;
        orvMouse.deltaY = 0;
        return delta;
    },
    MouseWheel: function () {
        if (!orvMouseReady("MouseWheel")) return 0;
        var ticks = orvMouse.seenWheel;
        orvMouse.seenWheel = 0;
        return ticks;
    },
    // #PB_MouseButton_Left 1, _Right 2, _Middle 3.
    MouseButton: function (button) {
        if (!orvMouseReady("MouseButton")) return 0;
        var bit = { 1: 1, 2: 2, 3: 4 }[orvInt(button)] || 0;
        return orvMouse.seenButtons & bit ? 1 : 0;
    },
    // The browser cannot move the pointer: MouseX and MouseY count from the given place instead.
    MouseLocate: function (x, y) {
        if (!orvMouseReady("MouseLocate")) return;
        orvMouse.offsetX = orvNumber(x) - orvMouse.x;
        orvMouse.offsetY = orvNumber(y) - orvMouse.y;
        orvMouse.seenX = orvPixelInt(x);
        orvMouse.seenY = orvPixelInt(y);
    },
    // The page never takes the pointer away from the desktop, so there is nothing to give back.
    ReleaseMouse: function () {},
});

// Constants of the Keyboard and Mouse libraries, with PureBasic's values (Windows values).
orvAddConstants({
    PB_Key_All: -1, PB_Key_Escape: 0x01, PB_Key_1: 0x02, PB_Key_2: 0x03, PB_Key_3: 0x04, PB_Key_4: 0x05,
    PB_Key_5: 0x06, PB_Key_6: 0x07, PB_Key_7: 0x08, PB_Key_8: 0x09, PB_Key_9: 0x0a, PB_Key_0: 0x0b,
    PB_Key_Minus: 0x0c, PB_Key_Equals: 0x0d, PB_Key_Back: 0x0e, PB_Key_Tab: 0x0f, PB_Key_Q: 0x10,
    PB_Key_W: 0x11, PB_Key_E: 0x12, PB_Key_R: 0x13, PB_Key_T: 0x14, PB_Key_Y: 0x15, PB_Key_U: 0x16,
    PB_Key_I: 0x17, PB_Key_O: 0x18, PB_Key_P: 0x19, PB_Key_LeftBracket: 0x1a, PB_Key_RightBracket: 0x1b,
    PB_Key_Return: 0x1c, PB_Key_LeftControl: 0x1d, PB_Key_A: 0x1e, PB_Key_S: 0x1f, PB_Key_D: 0x20,
    PB_Key_F: 0x21, PB_Key_G: 0x22, PB_Key_H: 0x23, PB_Key_J: 0x24, PB_Key_K: 0x25, PB_Key_L: 0x26,
    PB_Key_SemiColon: 0x27, PB_Key_Apostrophe: 0x28, PB_Key_Grave: 0x29, PB_Key_LeftShift: 0x2a,
    PB_Key_BackSlash: 0x2b, PB_Key_Z: 0x2c, PB_Key_X: 0x2d, PB_Key_C: 0x2e, PB_Key_V: 0x2f, PB_Key_B: 0x30,
    PB_Key_N: 0x31, PB_Key_M: 0x32, PB_Key_Comma: 0x33, PB_Key_Period: 0x34, PB_Key_Slash: 0x35,
    PB_Key_RightShift: 0x36, PB_Key_Multiply: 0x37, PB_Key_LeftAlt: 0x38, PB_Key_Space: 0x39,
    PB_Key_Capital: 0x3a, PB_Key_F1: 0x3b, PB_Key_F2: 0x3c, PB_Key_F3: 0x3d, PB_Key_F4: 0x3e,
    PB_Key_F5: 0x3f, PB_Key_F6: 0x40, PB_Key_F7: 0x41, PB_Key_F8: 0x42, PB_Key_F9: 0x43, PB_Key_F10: 0x44,
    PB_Key_NumLock: 0x45, PB_Key_Scroll: 0x46, PB_Key_Pad7: 0x47, PB_Key_Pad8: 0x48, PB_Key_Pad9: 0x49,
    PB_Key_Subtract: 0x4a, PB_Key_Pad4: 0x4b, PB_Key_Pad5: 0x4c, PB_Key_Pad6: 0x4d, PB_Key_Add: 0x4e,
    PB_Key_Pad1: 0x4f, PB_Key_Pad2: 0x50, PB_Key_Pad3: 0x51, PB_Key_Pad0: 0x52, PB_Key_Decimal: 0x53,
    PB_Key_F11: 0x57, PB_Key_F12: 0x58, PB_Key_PadEnter: 0x9c, PB_Key_RightControl: 0x9d,
    PB_Key_PadComma: 0xb3, PB_Key_Divide: 0xb5, PB_Key_RightAlt: 0xb8, PB_Key_Pause: 0xc5,
    PB_Key_Home: 0xc7, PB_Key_Up: 0xc8, PB_Key_PageUp: 0xc9, PB_Key_Left: 0xcb, PB_Key_Right: 0xcd,
    PB_Key_End: 0xcf, PB_Key_Down: 0xd0, PB_Key_PageDown: 0xd1, PB_Key_Insert: 0xd2, PB_Key_Delete: 0xd3,
    PB_Keyboard_Qwerty: 0,
    PB_Keyboard_International: 1,
    PB_Keyboard_AllowSystemKeys: 2,
    PB_MouseButton_Left: 1,
    PB_MouseButton_Right: 2,
    PB_MouseButton_Middle: 3,
});
