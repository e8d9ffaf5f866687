// Object numbers and handles of the window libraries. Every kind of object (window, gadget,
// font, image, menu, file ...) has one registry that maps the program's numbers to the runtime's
// objects, knows #PB_Any and reports unknown numbers as PureBasic's debugger does. Handles
// (WindowID, GadgetID, FontID ...) are numbers unique across kinds, so that a function taking
// "an ID" can find the object whatever its kind.

var orvRegistries = {};
var orvObjectsByHandle = new Map();
var orvLastHandle = 0;

// #PB_Any numbers are large, so that they never meet the small numbers a program picks itself;
// the same counter makes handles, which then never collide with either.
var ORV_FIRST_HANDLE = 0x1000000;

// An error line as PureBasic's debugger shows it; the program goes on. Uses the language core's
// cPB.Error when the library has it.
function orvError(text) {
    if (typeof cPB !== "undefined" && cPB && typeof cPB.Error === "function") {
        cPB.Error(text);
        return;
    }
    cDebugger.ORV_Write("[ERROR] " + orvText(text), "error");
}

// The handle of an object, made on first use.
function orvHandle(object) {
    if (!object) return 0;
    if (!object.handle) {
        object.handle = ORV_FIRST_HANDLE + ++orvLastHandle;
        orvObjectsByHandle.set(object.handle, object);
    }
    return object.handle;
}

function orvObjectOfHandle(handle) {
    return orvObjectsByHandle.get(orvInt(handle)) || null;
}

// release(object) is called when an object is freed by its registry, which happens when the
// program creates a new object under a number that is still in use (PureBasic frees the old one).
function orvRegistry(kind, release) {
    var existing = orvRegistries[kind];
    if (existing) {
        if (release && !existing.release) existing.release = release;
        return existing;
    }
    var objects = new Map();
    var registry = {
        kind: kind,
        release: release || null,

        // Registers object under number and returns what PureBasic's creating function returns:
        // the new number for #PB_Any, otherwise the object's handle.
        Create: function (number, object) {
            number = orvInt(number);
            var any = number === -1;
            if (any) {
                number = ORV_FIRST_HANDLE + ++orvLastHandle;
            } else if (number < 0) {
                orvError("#" + kind + " object number can't be negative: " + number);
                return 0;
            } else if (objects.has(number)) {
                registry.Free(number);
            }
            object.number = number;
            object.objectKind = kind;
            objects.set(number, object);
            var handle = orvHandle(object);
            return any ? number : handle;
        },

        // The object of a number; an unknown number shows the debugger's message.
        Get: function (number) {
            var object = objects.get(orvInt(number));
            if (!object) {
                orvError("#" + kind + " object not initialized.");
                return null;
            }
            return object;
        },

        // The same without the message, for the Is... functions and internal look-ups.
        Find: function (number) {
            return objects.get(orvInt(number)) || null;
        },

        // A number as given, or a handle of an object of this kind (functions that take an ID).
        FindByNumberOrHandle: function (value) {
            var object = objects.get(orvInt(value));
            if (object) return object;
            object = orvObjectOfHandle(value);
            return object && object.objectKind === kind ? object : null;
        },

        Is: function (number) {
            return objects.has(orvInt(number)) ? 1 : 0;
        },

        // Removes the object; release(object) undoes what it owns. Freeing an unknown number is
        // not an error here: the library function that frees checks with Get first.
        Free: function (number) {
            number = orvInt(number);
            var object = objects.get(number);
            if (!object) return;
            objects.delete(number);
            if (object.handle) orvObjectsByHandle.delete(object.handle);
            object.freed = true;
            if (registry.release) {
                try {
                    registry.release(object);
                } catch (error) {
                    orvError("Freeing #" + kind + " " + number + " failed: " + (error && error.message));
                }
            }
        },

        // Every live object, in the order of creation.
        All: function () {
            return Array.from(objects.values());
        },
    };
    orvRegistries[kind] = registry;
    return registry;
}

// Constants every window library takes, with PureBasic's values.
orvAddConstants({
    PB_All: -1,
    PB_Ignore: -65535,
});
