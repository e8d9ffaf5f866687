// Preferences: a PureBasic preference file ("[Group]" lines and "Key = Value" lines, UTF-8 with a
// byte order mark) kept in the site's file store of g75_file.js, so that it is there again after
// a reload and a program can read it with the File functions as well. It is read whole when
// opened and written whole when closed or flushed.

var ORV_PREFERENCE_NO_SPACE = 1;
var ORV_PREFERENCE_GROUP_SEPARATOR = 2;
var ORV_PREFERENCE_NO_BOM = 4;

// The open preference file: path, flags, groups [{ name, lines }] where the first group (name
// "") holds what comes before any "[Group]" line and a line is { key, value } or { text } (a
// comment or anything else the file had, kept as it was). Reads without an open file give the
// defaults.
var orvPreferences = null;
var orvPreferenceGroup = null;
var orvPreferenceGroupName = "";
var orvPreferenceGroupWalk = null;
var orvPreferenceKeyWalk = null;

function orvParsePreferences(text) {
    var groups = [{ name: "", lines: [] }];
    var lines = text.split(/\r\n|\n|\r/);
    if (lines.length && lines[lines.length - 1] === "") lines.pop();
    lines.forEach(function (line) {
        var trimmed = line.trim();
        var header = /^\[(.*)\]$/.exec(trimmed);
        var equals = line.indexOf("=");
        if (header) {
            groups.push({ name: header[1].trim(), lines: [] });
        } else if (trimmed !== "" && trimmed.charAt(0) !== ";" && equals > 0) {
            groups[groups.length - 1].lines.push({ key: line.slice(0, equals).trim(), value: line.slice(equals + 1).trim() });
        } else {
            groups[groups.length - 1].lines.push({ text: line });
        }
    });
    return groups;
}

function orvPreferencesText(preferences) {
    var equals = preferences.flags & ORV_PREFERENCE_NO_SPACE ? "=" : " = ";
    var out = [];
    preferences.groups.forEach(function (group, index) {
        if (index > 0) {
            if (preferences.flags & ORV_PREFERENCE_GROUP_SEPARATOR && out.length && out[out.length - 1] !== "") out.push("");
            out.push("[" + group.name + "]");
        }
        group.lines.forEach(function (line) {
            out.push(line.key !== undefined ? line.key + equals + line.value : line.text);
        });
    });
    while (out.length && out[out.length - 1].trim() === "") out.pop();
    return out.length ? out.join("\r\n") + "\r\n" : "";
}

function orvFindPreferenceGroup(name) {
    if (!orvPreferences) return null;
    var lower = orvText(name).toLowerCase();
    for (var i = 0; i < orvPreferences.groups.length; i++) {
        if (orvPreferences.groups[i].name.toLowerCase() === lower) return orvPreferences.groups[i];
    }
    return null;
}

function orvFindPreferenceKey(group, key) {
    if (!group) return null;
    var lower = orvText(key).toLowerCase();
    for (var i = 0; i < group.lines.length; i++) {
        var line = group.lines[i];
        if (line.key !== undefined && line.key.toLowerCase() === lower) return line;
    }
    return null;
}

// The current group, made when something is written into it.
function orvWritablePreferenceGroup() {
    if (!orvPreferenceGroup) {
        orvPreferenceGroup = { name: orvPreferenceGroupName, lines: [] };
        orvPreferences.groups.push(orvPreferenceGroup);
    }
    return orvPreferenceGroup;
}

// New lines go after the group's last key or comment, before the blank lines that end it.
function orvAddPreferenceLine(group, line) {
    var at = group.lines.length;
    while (at > 0 && group.lines[at - 1].key === undefined && group.lines[at - 1].text.trim() === "") at--;
    group.lines.splice(at, 0, line);
}

function orvWritePreference(key, value, caller) {
    if (!orvPreferences) {
        orvError(caller + ": no preference file is open (OpenPreferences or CreatePreferences).");
        return;
    }
    key = orvText(key);
    var group = orvWritablePreferenceGroup();
    var line = orvFindPreferenceKey(group, key);
    if (line) line.value = value;
    else orvAddPreferenceLine(group, { key: key, value: value });
    orvPreferences.changed = true;
}

function orvReadPreference(key) {
    var line = orvFindPreferenceKey(orvPreferenceGroup, key);
    return line ? line.value : null;
}

function orvSavePreferences(caller) {
    var preferences = orvPreferences;
    if (!preferences.changed) return true;
    var bytes = new TextEncoder().encode(orvPreferencesText(preferences));
    if (!(preferences.flags & ORV_PREFERENCE_NO_BOM)) {
        var marked = new Uint8Array(bytes.length + 3);
        marked.set([0xef, 0xbb, 0xbf]);
        marked.set(bytes, 3);
        bytes = marked;
    }
    if (!orvStoreFile(preferences.path, bytes, bytes.length, caller)) return false;
    orvChosenFiles.delete(preferences.path);
    preferences.changed = false;
    return true;
}

function orvStartPreferences(path, flags, groups, changed) {
    if (orvPreferences) cPreference.ClosePreferences();
    orvPreferences = { path: path, flags: orvInt(flags), groups: groups, changed: changed };
    orvPreferenceGroup = groups[0];
    orvPreferenceGroupName = "";
    orvPreferenceGroupWalk = null;
    orvPreferenceKeyWalk = null;
}

var cPreference = (global.cPreference = {
    // A new, empty preference file; it replaces an existing one when it is closed.
    CreatePreferences: function (name, flags) {
        var path = orvFilePath(name);
        if (path === "") return 0;
        orvStartPreferences(path, flags, [{ name: "", lines: [] }], true);
        return 1;
    },

    // 0 when there is no such file; the read functions then give their defaults. Encoding
    // #PB_Ascii reads a file without byte order mark as 8-bit text, otherwise it is UTF-8.
    OpenPreferences: function (name, flags, encoding) {
        var path = orvFilePath(name);
        var bytes = path === "" ? null : orvReadableFile(path);
        if (!bytes) {
            if (orvPreferences) cPreference.ClosePreferences();
            return 0;
        }
        var text;
        if (bytes.length >= 3 && bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf) {
            text = new TextDecoder().decode(bytes.subarray(3));
        } else if (orvInt(encoding) === ORV_FORMAT_ASCII) {
            text = orvBytesToText(bytes, bytes.length);
        } else {
            text = new TextDecoder().decode(bytes);
        }
        orvStartPreferences(path, flags, orvParsePreferences(text), false);
        return 1;
    },

    ClosePreferences: function () {
        if (!orvPreferences) return;
        orvSavePreferences("ClosePreferences()");
        orvPreferences = null;
        orvPreferenceGroup = null;
        orvPreferenceGroupName = "";
    },

    FlushPreferenceBuffers: function () {
        return orvPreferences && orvSavePreferences("FlushPreferenceBuffers()") ? 1 : 0;
    },

    // Selects the group for what follows ("" for the keys before any group); 1 when it exists.
    PreferenceGroup: function (name) {
        orvPreferenceGroupName = orvText(name);
        orvPreferenceGroup = orvFindPreferenceGroup(orvPreferenceGroupName);
        if (orvPreferenceGroup) orvPreferenceGroupName = orvPreferenceGroup.name;
        return orvPreferenceGroup && orvPreferenceGroupName !== "" ? 1 : 0;
    },
    PreferenceGroupName: function () {
        return orvPreferenceGroupName;
    },
    PreferenceComment: function (text) {
        if (!orvPreferences) {
            orvError("PreferenceComment(): no preference file is open (OpenPreferences or CreatePreferences).");
            return;
        }
        orvAddPreferenceLine(orvWritablePreferenceGroup(), { text: "; " + orvText(text) });
        orvPreferences.changed = true;
    },

    ExaminePreferenceGroups: function () {
        if (!orvPreferences) return 0;
        orvPreferenceGroupWalk = { groups: orvPreferences.groups.slice(1), index: -1 };
        return 1;
    },
    NextPreferenceGroup: function () {
        var walk = orvPreferenceGroupWalk;
        if (!walk || ++walk.index >= walk.groups.length) return 0;
        orvPreferenceGroup = walk.groups[walk.index];
        orvPreferenceGroupName = orvPreferenceGroup.name;
        return 1;
    },
    ExaminePreferenceKeys: function () {
        if (!orvPreferences) return 0;
        var lines = orvPreferenceGroup ? orvPreferenceGroup.lines : [];
        orvPreferenceKeyWalk = {
            keys: lines.filter(function (line) {
                return line.key !== undefined;
            }),
            index: -1,
        };
        return 1;
    },
    NextPreferenceKey: function () {
        var walk = orvPreferenceKeyWalk;
        return walk && ++walk.index < walk.keys.length ? 1 : 0;
    },
    PreferenceKeyName: function () {
        var walk = orvPreferenceKeyWalk;
        return walk && walk.keys[walk.index] ? walk.keys[walk.index].key : "";
    },
    PreferenceKeyValue: function () {
        var walk = orvPreferenceKeyWalk;
        return walk && walk.keys[walk.index] ? walk.keys[walk.index].value : "";
    },

    RemovePreferenceGroup: function (name) {
        var group = orvFindPreferenceGroup(name);
        if (!group || group === orvPreferences.groups[0]) return;
        orvPreferences.groups.splice(orvPreferences.groups.indexOf(group), 1);
        if (orvPreferenceGroup === group) orvPreferenceGroup = null;
        orvPreferences.changed = true;
    },
    RemovePreferenceKey: function (key) {
        var line = orvFindPreferenceKey(orvPreferenceGroup, key);
        if (!line) return;
        orvPreferenceGroup.lines.splice(orvPreferenceGroup.lines.indexOf(line), 1);
        orvPreferences.changed = true;
    },

    WritePreferenceString: function (key, value) {
        orvWritePreference(key, orvText(value), "WritePreferenceString()");
    },
    WritePreferenceLong: function (key, value) {
        orvWritePreference(key, orvText(orvInt(value)), "WritePreferenceLong()");
    },
    WritePreferenceInteger: function (key, value) {
        orvWritePreference(key, orvText(orvInt(value)), "WritePreferenceInteger()");
    },
    WritePreferenceQuad: function (key, value) {
        orvWritePreference(key, orvText(orvInt(value)), "WritePreferenceQuad()");
    },
    WritePreferenceFloat: function (key, value) {
        orvWritePreference(key, cString.StrF(value), "WritePreferenceFloat()");
    },
    WritePreferenceDouble: function (key, value) {
        orvWritePreference(key, cString.StrD(value), "WritePreferenceDouble()");
    },

    ReadPreferenceString: function (key, defaultValue) {
        var value = orvReadPreference(key);
        return value === null ? orvText(defaultValue) : value;
    },
    ReadPreferenceLong: function (key, defaultValue) {
        var value = orvReadPreference(key);
        return value === null ? orvInt(defaultValue) : cString.Val(value) | 0;
    },
    ReadPreferenceInteger: function (key, defaultValue) {
        var value = orvReadPreference(key);
        return value === null ? orvInt(defaultValue) : cString.Val(value);
    },
    ReadPreferenceQuad: function (key, defaultValue) {
        var value = orvReadPreference(key);
        return value === null ? orvInt(defaultValue) : cString.Val(value);
    },
    ReadPreferenceFloat: function (key, defaultValue) {
        var value = orvReadPreference(key);
        return value === null ? Math.fround(orvNumber(defaultValue)) : cString.ValF(value);
    },
    ReadPreferenceDouble: function (key, defaultValue) {
        var value = orvReadPreference(key);
        return value === null ? orvNumber(defaultValue) : cString.ValD(value);
    },
});

orvAddConstants({
    PB_Preference_NoSpace: 1,
    PB_Preference_GroupSeparator: 2,
    PB_Preference_NoBOM: 4,
});
