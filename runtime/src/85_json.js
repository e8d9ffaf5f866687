// The JSON library. A JSON value is a node { type, value }: arrays hold nodes, objects a Map from
// member key to node, so that JSONValue() and the element and member functions hand out nodes
// that later changes reach. Types: #PB_JSON_Null 0, String 1, Number 2, Boolean 3, Array 4, Object 5.

var orvJsons = new Map();
var orvNextJson = 1000000;
var orvJsonError = "";

function orvJsonNode(type, value) {
    return { type: type, value: value };
}

function orvToNode(value) {
    if (value === null || value === undefined) return orvJsonNode(0, null);
    if (typeof value === "string") return orvJsonNode(1, value);
    if (typeof value === "number") return orvJsonNode(2, value);
    if (typeof value === "boolean") return orvJsonNode(3, value);
    if (value instanceof cLinkedList) value = value.ListData();
    if (orvIsTypedArray(value)) value = Array.from(value);
    if (Array.isArray(value)) return orvJsonNode(4, value.map(orvToNode));
    var members = new Map();
    if (value instanceof cMap) {
        for (var slot = value.ORV_First; slot >= 0; slot = value.ORV_Next[slot]) {
            members.set(value.ORV_Keys[slot], orvToNode(value.ORV_Values[slot]));
        }
    } else {
        Object.keys(value).forEach(function (key) {
            members.set(key, orvToNode(value[key]));
        });
    }
    return orvJsonNode(5, members);
}

// A new list or map element filled from a JSON value: the members of a structure that the value
// names take its values, the others keep their initial ones.
function orvFillElement(element, value) {
    if (element === null || typeof element !== "object" || value === null || typeof value !== "object" || Array.isArray(value)) {
        return value;
    }
    Object.keys(element).forEach(function (field) {
        if (!Object.prototype.hasOwnProperty.call(value, field)) return;
        var current = element[field];
        var extracted = value[field];
        if (current instanceof cLinkedList) {
            current.ClearList();
            if (Array.isArray(extracted)) {
                extracted.forEach(function (item) {
                    current.AddElement();
                    current.SetContent(orvFillElement(current.GetContent(), item));
                });
            }
        } else if (current instanceof cMap) {
            current.ClearMap();
            if (extracted !== null && typeof extracted === "object" && !Array.isArray(extracted)) {
                Object.keys(extracted).forEach(function (key) {
                    current.setData(orvFillElement(current.getData(key), extracted[key]), key);
                });
            }
        } else if (current === null || typeof current !== "object" || Array.isArray(current)) {
            element[field] = extracted;
        } else {
            element[field] = orvFillElement(current, extracted);
        }
    });
    return element;
}

function orvFromNode(node) {
    if (!node) return null;
    if (node.type === 4) return node.value.map(orvFromNode);
    if (node.type === 5) {
        var object = {};
        node.value.forEach(function (member, key) {
            object[key] = orvFromNode(member);
        });
        return object;
    }
    return node.value;
}

function orvSetNode(node, other) {
    if (!node) return;
    node.type = other.type;
    node.value = other.value;
}

// A JSON program object by its number. Like every PureBasic object it answers nonzero for
// success, which with #PB_Any (-1) is the new number it picked.
function orvNewJson(id, root) {
    id = orvInt(id);
    var any = id === -1;
    if (any) id = orvNextJson++;
    orvJsons.set(id, { root: root });
    return any ? id : 1;
}

var cJson = (global.cJson = {
    CreateJSON: function (id) {
        return orvNewJson(id, orvJsonNode(0, null));
    },
    // 0 when the text is not JSON; JSONErrorMessage() then tells why.
    ParseJSON: function (id, text) {
        try {
            var value = JSON.parse(orvText(text));
        } catch (error) {
            orvJsonError = error.message;
            return 0;
        }
        orvJsonError = "";
        return orvNewJson(id, orvToNode(value));
    },
    JSONErrorMessage: function () {
        return orvJsonError;
    },
    FreeJSON: function (id) {
        orvJsons.delete(orvInt(id));
    },
    IsJSON: function (id) {
        return orvJsons.has(orvInt(id)) ? 1 : 0;
    },
    JSONValue: function (id) {
        var json = orvJsons.get(orvInt(id));
        return json ? json.root : 0;
    },
    // Flags: #PB_JSON_PrettyPrint (1) indents.
    ComposeJSON: function (id, flags) {
        var json = orvJsons.get(orvInt(id));
        if (!json) return "";
        return JSON.stringify(orvFromNode(json.root), null, orvInt(flags) & 1 ? 2 : undefined);
    },
    JSONType: function (node) {
        return node ? node.type : 0;
    },
    GetJSONString: function (node) {
        return node && node.type === 1 ? node.value : "";
    },
    GetJSONInteger: function (node) {
        return node && (node.type === 2 || node.type === 3) ? orvInt(node.value) : 0;
    },
    GetJSONDouble: function (node) {
        return node && node.type === 2 ? node.value : 0;
    },
    GetJSONBoolean: function (node) {
        return node && node.type === 3 && node.value ? 1 : 0;
    },
    SetJSONString: function (node, value) {
        orvSetNode(node, orvJsonNode(1, orvText(value)));
    },
    SetJSONInteger: function (node, value) {
        orvSetNode(node, orvJsonNode(2, orvInt(value)));
    },
    SetJSONDouble: function (node, value) {
        orvSetNode(node, orvJsonNode(2, orvNumber(value)));
    },
    SetJSONBoolean: function (node, value) {
        orvSetNode(node, orvJsonNode(3, !!value));
    },
    SetJSONNull: function (node) {
        orvSetNode(node, orvJsonNode(0, null));
    },
    SetJSONArray: function (node) {
        orvSetNode(node, orvJsonNode(4, []));
    },
    SetJSONObject: function (node) {
        orvSetNode(node, orvJsonNode(5, new Map()));
    },
    JSONArraySize: function (node) {
        return node && node.type === 4 ? node.value.length : 0;
    },
    GetJSONElement: function (node, index) {
        return (node && node.type === 4 && node.value[orvInt(index)]) || 0;
    },
    // Appends a null element, or inserts it at index; the element is returned to be set.
    AddJSONElement: function (node, index) {
        if (!node || node.type !== 4) return 0;
        var element = orvJsonNode(0, null);
        var at = index === undefined ? node.value.length : Math.min(Math.max(orvInt(index), 0), node.value.length);
        node.value.splice(at, 0, element);
        return element;
    },
    RemoveJSONElement: function (node, index) {
        if (node && node.type === 4) node.value.splice(orvInt(index), 1);
    },
    JSONObjectSize: function (node) {
        return node && node.type === 5 ? node.value.size : 0;
    },
    GetJSONMember: function (node, key) {
        return (node && node.type === 5 && node.value.get(orvText(key))) || 0;
    },
    AddJSONMember: function (node, key) {
        if (!node || node.type !== 5) return 0;
        var member = orvJsonNode(0, null);
        node.value.set(orvText(key), member);
        return member;
    },
    RemoveJSONMember: function (node, key) {
        if (node && node.type === 5) node.value.delete(orvText(key));
    },
    ExamineJSONMembers: function (node) {
        if (!node || node.type !== 5) return 0;
        node.ORV_Members = Array.from(node.value.entries());
        node.ORV_Member = -1;
        return 1;
    },
    NextJSONMember: function (node) {
        if (!node || !node.ORV_Members || node.ORV_Member + 1 >= node.ORV_Members.length) return 0;
        node.ORV_Member++;
        return 1;
    },
    JSONMemberKey: function (node) {
        return node && node.ORV_Members && node.ORV_Member >= 0 ? node.ORV_Members[node.ORV_Member][0] : "";
    },
    JSONMemberValue: function (node) {
        return node && node.ORV_Members && node.ORV_Member >= 0 ? node.ORV_Members[node.ORV_Member][1] : 0;
    },

    InsertJSONList: function (node, list) {
        orvSetNode(node, orvToNode(list instanceof cLinkedList ? list : []));
    },
    InsertJSONMap: function (node, map) {
        orvSetNode(node, orvToNode(map instanceof cMap ? map : {}));
    },
    InsertJSONArray: function (node, array) {
        orvSetNode(node, orvToNode(Array.isArray(array) || orvIsTypedArray(array) ? array : []));
    },
    // The list is cleared and gets one element per array element; the last one is current.
    ExtractJSONList: function (node, list) {
        if (!(list instanceof cLinkedList)) return;
        list.ClearList();
        if (node && node.type === 4) {
            node.value.forEach(function (element) {
                list.AddElement();
                list.SetContent(orvFillElement(list.GetContent(), orvFromNode(element)));
            });
        }
    },
    ExtractJSONMap: function (node, map) {
        if (!(map instanceof cMap)) return;
        map.ClearMap();
        if (node && node.type === 5) {
            node.value.forEach(function (member, key) {
                map.setData(orvFillElement(map.getData(key), orvFromNode(member)), key);
            });
        }
    },
    // The array gets the JSON array's size and elements. A typed array cannot grow in place, so
    // the array is also returned and the converter assigns it back: a = cJson.ExtractJSONArray(n, a).
    ExtractJSONArray: function (node, array) {
        var elements = node && node.type === 4 ? node.value.map(orvFromNode) : [];
        if (orvIsTypedArray(array)) {
            var fresh = array.length === elements.length ? array : new array.constructor(elements.length);
            if (array.ORV_Type) fresh.ORV_Type = array.ORV_Type;
            for (var i = 0; i < elements.length; i++) fresh[i] = orvNumber(elements[i]);
            return fresh;
        }
        if (!Array.isArray(array)) return array;
        array.length = 0;
        elements.forEach(function (element) {
            array.push(element);
        });
        return array;
    },
});
