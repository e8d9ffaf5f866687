// The page's one event queue. Runtime functions post events (a click, a closed window, a timer,
// a menu item); bound callbacks see every event first, then the program gets it from
// WaitWindowEvent or WindowEvent, which return Promises the converter awaits. Nothing polls:
// a waiting program is a pending Promise, woken by the next post.

var ORV_EVENT_GADGET = 13100;
var ORV_EVENT_MENU = 13101;
var ORV_EVENT_TIMER = 13110;
var ORV_EVENT_CLOSE_WINDOW = 13116;
var ORV_EVENT_FIRST_CUSTOM = 1 << 16;
var ORV_EVENTTYPE_MOUSE_MOVE = 0x10000 + 3;

// Events waiting for the program, and the programs waiting for events (resolve functions).
var orvEventQueue = [];
var orvEventWaiters = [];
// Events posted but not yet shown to the bound callbacks; one pump at a time empties it, so that
// callbacks see events in the order they were posted, never from inside one another.
var orvEventsToDispatch = [];
var orvEventPumpScheduled = false;
// A program that never asks for its events (everything bound to callbacks) must not fill the
// memory: beyond this many unread events the oldest are dropped.
var ORV_EVENT_QUEUE_LIMIT = 10000;

var orvNoEvent = { event: 0, window: -1, object: -1, type: 0, data: 0, detail: undefined };
// The event WaitWindowEvent/WindowEvent returned last, and the one EventGadget() and its kin
// describe: the program's event, or the event of the callback that is running.
var orvProgramEvent = orvNoEvent;
var orvCurrentEvent = orvNoEvent;

var orvBindings = [];
var orvProgramEnded = false;

// Adds an event. window and object are the program's numbers (-1 when none); type is the
// event type (#PB_EventType_...), data the event's data. detail, for the runtime's own use, is
// what the event saw (a canvas keeps the mouse position of each of its events there).
function orvPostEvent(event, window, object, type, data, detail) {
    if (orvProgramEnded) return 0;
    orvEventsToDispatch.push({
        event: orvInt(event),
        window: window === undefined ? -1 : orvInt(window),
        object: object === undefined ? -1 : orvInt(object),
        type: type === undefined ? 0 : orvInt(type),
        data: data === undefined ? 0 : data,
        detail: detail,
    });
    if (!orvEventPumpScheduled) {
        orvEventPumpScheduled = true;
        Promise.resolve().then(orvPumpEvents);
    }
    return 1;
}

// As on the desktop, a program that runs an event loop has its bound callbacks called when its
// loop takes the event (at once when the loop is waiting). A program that never asks for events
// has them called as the events come.
function orvPumpEvents() {
    orvEventPumpScheduled = false;
    while (orvEventsToDispatch.length && !orvProgramEnded) {
        var record = orvEventsToDispatch.shift();
        if (orvEventWaiters.length || !orvEventLoopUsed) {
            record.dispatched = true;
            orvDispatchToCallbacks(record);
        }
        orvHandToProgram(record);
    }
}

// The next queued event for the program, its callbacks called first; null when there is none
// or a callback ended the program.
function orvTakeQueued() {
    while (orvEventQueue.length && !orvProgramEnded) {
        var record = orvEventQueue.shift();
        if (!record.dispatched) {
            record.dispatched = true;
            orvDispatchToCallbacks(record);
        }
        if (!orvProgramEnded) return record;
    }
    return null;
}

function orvHandToProgram(record) {
    if (orvProgramEnded) return;
    if (orvEventWaiters.length) {
        orvEventWaiters.shift()(record);
        return;
    }
    var last = orvEventQueue[orvEventQueue.length - 1];
    if (record.type === ORV_EVENTTYPE_MOUSE_MOVE && last && last.type === record.type && last.object === record.object && last.event === record.event) {
        // Moves the program has not read yet are one move, as on the desktop.
        orvEventQueue[orvEventQueue.length - 1] = record;
        return;
    }
    if (record.event === ORV_EVENT_TIMER) {
        // A timer that fired again before the program read its last event has nothing new to
        // say; on the desktop, too, timer events do not pile up.
        for (var i = 0; i < orvEventQueue.length; i++) {
            var queued = orvEventQueue[i];
            if (queued.event === ORV_EVENT_TIMER && queued.window === record.window && queued.object === record.object) return;
        }
    }
    if (orvEventQueue.length >= ORV_EVENT_QUEUE_LIMIT) orvEventQueue.shift();
    orvEventQueue.push(record);
}

function orvBindingMatches(binding, record) {
    if (binding.event !== record.event) return false;
    if (binding.gadget !== undefined) return binding.gadget === record.object && (binding.type === -1 || binding.type === record.type);
    if (binding.window !== -1 && binding.window !== record.window) return false;
    if (binding.object !== -1 && binding.object !== record.object) return false;
    return binding.type === -1 || binding.type === record.type;
}

function orvDispatchToCallbacks(record) {
    // A callback may bind or unbind others; it works on a copy of the list.
    var bindings = orvBindings.slice();
    for (var i = 0; i < bindings.length && !orvProgramEnded; i++) {
        if (!bindings[i].removed && orvBindingMatches(bindings[i], record)) orvCallBack(bindings[i].callback, record);
    }
    var hooks = typeof jQuery !== "undefined" && jQuery.fn ? jQuery.fn : null;
    if (!hooks || orvProgramEnded) return;
    if (record.event === ORV_EVENT_GADGET) {
        orvCallHook(hooks.GadgetsEvents, record.object, record);
    } else if (record.event !== ORV_EVENT_MENU && record.event < ORV_EVENT_FIRST_CUSTOM && record.event > 13000) {
        orvCallHook(hooks.WindowsEvents, record.window, record);
    }
}

// The automatic binding switches of the page: a function called for every gadget (or window)
// event, or a table of functions by gadget (or window) number.
function orvCallHook(hook, number, record) {
    if (typeof hook === "function") {
        orvCallBack(hook, record);
    } else if (hook && typeof hook === "object" && typeof hook[number] === "function") {
        orvCallBack(hook[number], record);
    }
}

// Calls a program's procedure for an event. Whatever it throws becomes an error line, so that
// one faulty callback never stops the events after it; End ends the program.
function orvCallBack(callback, record) {
    orvCurrentEvent = record;
    try {
        var result = callback();
        if (result && typeof result.then === "function") result.then(undefined, orvCallbackFailed);
    } catch (error) {
        orvCallbackFailed(error);
    } finally {
        orvCurrentEvent = orvProgramEvent;
    }
}

function orvCallbackFailed(error) {
    if (error instanceof ORV_EndOfProgram) {
        orvEndProgram();
        return;
    }
    orvError((error && error.message) || String(error));
}

// What ends with the program: its windows close, its timers stop, waiting loops never resume.
var orvAtProgramEnd = [];
function orvEndProgram() {
    if (orvProgramEnded) return;
    orvProgramEnded = true;
    orvEventQueue.length = 0;
    orvEventsToDispatch.length = 0;
    orvEventWaiters.length = 0;
    for (var i = 0; i < orvAtProgramEnd.length; i++) {
        try {
            orvAtProgramEnd[i]();
        } catch (error) {
            if (typeof console !== "undefined" && console.error) console.error(error);
        }
    }
    // On the desktop the program's windows vanish; the page says why it is empty now.
    var desktop = typeof document !== "undefined" ? document.getElementById("orvane-desktop") : null;
    if (desktop) {
        var note = document.createElement("div");
        note.className = "orvane-ended";
        note.textContent = "The program has ended.";
        desktop.appendChild(note);
    }
}

// End, wherever the program calls it, also closes the windows.
(function () {
    var end = cCommon.End;
    cCommon.End = function () {
        orvEndProgram();
        return end.apply(this, arguments);
    };
})();

// A program that ran an event loop and left it has ended, as on the desktop: its windows close.
// A program that only bound callbacks and let its main part finish keeps its windows.
var orvEventLoopUsed = false;
if (typeof cPB !== "undefined" && cPB && typeof cPB.Async === "function") {
    (function () {
        var run = cPB.Async;
        cPB.Async = function (main) {
            return Promise.resolve(run.apply(this, arguments)).then(function () {
                if (orvEventLoopUsed) orvEndProgram();
            });
        };
    })();
}

function orvTakeEvent(record) {
    orvProgramEvent = record;
    orvCurrentEvent = record;
    return record.event;
}

var orvWindowTimers = new Map();

// A delay the browser's timers keep: they fire at once for anything beyond 2^31 - 1 ms (24.8 days).
function orvTimerDelay(milliseconds, least) {
    return Math.min(Math.max(least, orvInt(milliseconds)), 2147483647);
}

function orvTimerKey(window, timer) {
    return orvInt(window) + ":" + orvInt(timer);
}

// Stops every timer of a window (it is closing).
function orvRemoveWindowTimers(window) {
    orvWindowTimers.forEach(function (id, key) {
        if (key.split(":")[0] === String(window)) {
            clearInterval(id);
            orvWindowTimers.delete(key);
        }
    });
}

orvAtProgramEnd.push(function () {
    orvWindowTimers.forEach(function (id) {
        clearInterval(id);
    });
    orvWindowTimers.clear();
});

// The Window library's event functions; g30_window.js adds the windows themselves.
var cWindow = (global.cWindow = {
    // The next event, when one comes; with a timeout, 0 once it has passed without one.
    WaitWindowEvent: function (timeout) {
        orvEventLoopUsed = true;
        var queued = orvTakeQueued();
        if (queued) return Promise.resolve(orvTakeEvent(queued));
        if (orvProgramEnded) return new Promise(function () {});
        return new Promise(function (resolve) {
            var timer = null;
            var waiter = function (record) {
                if (timer !== null) clearTimeout(timer);
                resolve(orvTakeEvent(record));
            };
            orvEventWaiters.push(waiter);
            if (timeout !== undefined) {
                timer = setTimeout(function () {
                    var index = orvEventWaiters.indexOf(waiter);
                    if (index >= 0) orvEventWaiters.splice(index, 1);
                    resolve(orvTakeEvent(orvNoEvent));
                }, orvTimerDelay(timeout, 0));
            }
        });
    },

    // The next queued event, or 0 after one turn of the browser's event loop: a loop around
    // WindowEvent lets the page draw and take input between its rounds.
    WindowEvent: function () {
        orvEventLoopUsed = true;
        var queued = orvTakeQueued();
        if (queued) return Promise.resolve(orvTakeEvent(queued));
        if (orvProgramEnded) return new Promise(function () {});
        return new Promise(function (resolve) {
            setTimeout(function () {
                var later = orvTakeQueued();
                if (!orvProgramEnded) resolve(orvTakeEvent(later || orvNoEvent));
            }, 0);
        });
    },

    Event: function () {
        return orvCurrentEvent.event;
    },
    EventWindow: function () {
        return orvCurrentEvent.window;
    },
    EventGadget: function () {
        return orvCurrentEvent.object;
    },
    EventMenu: function () {
        return orvCurrentEvent.object;
    },
    EventTimer: function () {
        return orvCurrentEvent.object;
    },
    EventType: function () {
        return orvCurrentEvent.type;
    },
    EventData: function () {
        return orvCurrentEvent.data;
    },

    PostEvent: function (event, window, object, type, data) {
        return orvPostEvent(event, window, object, type, data);
    },

    // #PB_All (-1) or an omitted argument matches every window, object or type.
    BindEvent: function (event, callback, window, object, type) {
        if (typeof callback !== "function") {
            orvError("BindEvent(): the callback is not a procedure.");
            return;
        }
        orvBindings.push({
            event: orvInt(event),
            callback: callback,
            window: window === undefined ? -1 : orvInt(window),
            object: object === undefined ? -1 : orvInt(object),
            type: type === undefined ? -1 : orvInt(type),
        });
    },
    UnbindEvent: function (event, callback, window, object, type) {
        orvUnbind({
            event: orvInt(event),
            callback: callback,
            window: window === undefined ? -1 : orvInt(window),
            object: object === undefined ? -1 : orvInt(object),
            type: type === undefined ? -1 : orvInt(type),
        });
    },
    AddWindowTimer: function (window, timer, timeout) {
        if (!orvWindowRegistry.Get(window)) return;
        var number = orvInt(window);
        var key = orvTimerKey(number, timer);
        if (orvWindowTimers.has(key)) clearInterval(orvWindowTimers.get(key));
        var id = setInterval(function () {
            orvPostEvent(ORV_EVENT_TIMER, number, orvInt(timer), 0, 0);
        }, orvTimerDelay(timeout, 1));
        orvWindowTimers.set(key, id);
    },
    RemoveWindowTimer: function (window, timer) {
        if (!orvWindowRegistry.Get(window)) return;
        var key = orvTimerKey(window, timer);
        if (orvWindowTimers.has(key)) {
            clearInterval(orvWindowTimers.get(key));
            orvWindowTimers.delete(key);
        }
    },
});

// BindGadgetEvent and UnbindGadgetEvent belong to the Gadget library (g40_gadget.js).
function orvBindGadgetEvent(gadget, callback, type) {
    if (typeof callback !== "function") {
        orvError("BindGadgetEvent(): the callback is not a procedure.");
        return;
    }
    if (!orvGadgetRegistry.Get(gadget)) return;
    orvBindings.push({
        event: ORV_EVENT_GADGET,
        callback: callback,
        gadget: orvInt(gadget),
        type: type === undefined ? -1 : orvInt(type),
    });
}
function orvUnbindGadgetEvent(gadget, callback, type) {
    orvUnbind({
        event: ORV_EVENT_GADGET,
        callback: callback,
        gadget: orvInt(gadget),
        type: type === undefined ? -1 : orvInt(type),
    });
}

function orvUnbind(wanted) {
    for (var i = 0; i < orvBindings.length; i++) {
        var b = orvBindings[i];
        if (b.event === wanted.event && b.callback === wanted.callback && b.gadget === wanted.gadget && b.type === wanted.type && (wanted.gadget !== undefined || (b.window === wanted.window && b.object === wanted.object))) {
            b.removed = true;
            orvBindings.splice(i, 1);
            return;
        }
    }
}

// Bindings of a closed window's events and of freed gadgets go with them.
function orvUnbindWindow(window) {
    orvBindings = orvBindings.filter(function (b) {
        var keep = b.gadget !== undefined || b.window !== window;
        if (!keep) b.removed = true;
        return keep;
    });
}
function orvUnbindGadget(gadget) {
    orvBindings = orvBindings.filter(function (b) {
        var keep = b.gadget !== gadget;
        if (!keep) b.removed = true;
        return keep;
    });
}

// Constants of events and event types, with PureBasic's values (Windows values where the systems differ).
orvAddConstants({
    PB_Event_FirstCustomValue: 65536,
    PB_EventType_FirstCustomValue: 262144,
    PB_EventType_LeftClick: 0,
    PB_EventType_RightClick: 1,
    PB_EventType_LeftDoubleClick: 2,
    PB_EventType_RightDoubleClick: 3,
    PB_EventType_Up: 4,
    PB_EventType_Down: 5,
    PB_EventType_Resize: 6,
    PB_EventType_Refresh: 7,
    PB_EventType_ColumnClick: 8,
    PB_EventType_MouseEnter: 65537,
    PB_EventType_MouseLeave: 65538,
    PB_EventType_MouseMove: 65539,
    PB_EventType_LeftButtonDown: 65540,
    PB_EventType_LeftButtonUp: 65541,
    PB_EventType_RightButtonDown: 65542,
    PB_EventType_RightButtonUp: 65543,
    PB_EventType_MiddleButtonDown: 65544,
    PB_EventType_MiddleButtonUp: 65545,
    PB_EventType_MouseWheel: 65546,
    PB_EventType_KeyDown: 65547,
    PB_EventType_KeyUp: 65548,
    PB_EventType_Input: 65549,
    PB_EventType_TitleChange: 65617,
    PB_EventType_StatusChange: 65618,
    PB_EventType_PopupWindow: 65619,
    PB_EventType_DownloadStart: 65620,
    PB_EventType_DownloadProgress: 65621,
    PB_EventType_DownloadEnd: 65622,
    PB_EventType_PopupMenu: 65623,
    PB_Event_Gadget: 13100,
    PB_Event_Menu: 13101,
    PB_Event_SysTray: 13102,
    PB_Event_ActivateWindow: 13104,
    PB_Event_MinimizeWindow: 13107,
    PB_Event_MaximizeWindow: 13108,
    PB_Event_RestoreWindow: 13109,
    PB_Event_Timer: 13110,
    PB_Event_RightClick: 13111,
    PB_Event_LeftClick: 13112,
    PB_Event_LeftDoubleClick: 13113,
    PB_Event_DeactivateWindow: 13114,
    PB_Event_Repaint: 13115,
    PB_Event_CloseWindow: 13116,
    PB_Event_MoveWindow: 13117,
    PB_Event_SizeWindow: 13118,
    PB_Event_None: 0,
    PB_EventType_Focus: 14000,
    PB_EventType_LostFocus: 14001,
    PB_EventType_Change: 768,
    PB_EventType_DragStart: 14002,
    PB_Event_WindowDrop: 13105,
    PB_Event_GadgetDrop: 13106,
});
