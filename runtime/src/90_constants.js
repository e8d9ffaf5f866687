// The library constants a program may use, with PureBasic's values. The converter writes a
// constant in the letter case of the source ("cConstants.PB_Sort_descending"), and PureBasic does
// not care about that case, so a lookup that misses tries the name without regard to case.

var orvConstants = {
    PB_Any: -1,
    PB_Default: -1,

    PB_Sort_Ascending: 0,
    PB_Sort_Descending: 1,
    PB_Sort_NoCase: 2,

    PB_String_CaseSensitive: 0,
    PB_String_NoCase: 1,
    PB_String_InPlace: 2,
    PB_String_EscapeInternal: 0,
    PB_String_EscapeXML: 1,
    PB_String_EscapeJSON: 2,

    PB_Round_Down: 0,
    PB_Round_Up: 1,
    PB_Round_Nearest: 2,

    PB_Date_Year: 0,
    PB_Date_Month: 1,
    PB_Date_Week: 2,
    PB_Date_Day: 3,
    PB_Date_Hour: 4,
    PB_Date_Minute: 5,
    PB_Date_Second: 6,
    PB_Date_LocalTime: 0,
    PB_Date_UTC: 1,

    PB_List_First: 1,
    PB_List_Last: 2,
    PB_List_Before: 3,
    PB_List_After: 4,

    PB_Map_NoElementCheck: 0,
    PB_Map_ElementCheck: 1,

    PB_Byte: 1,
    PB_Word: 3,
    PB_Long: 5,
    PB_Structure: 7,
    PB_String: 8,
    PB_Float: 9,
    PB_Character: 11,
    PB_Double: 12,
    PB_Quad: 13,
    PB_List: 14,
    PB_Array: 15,
    PB_Integer: 21,
    PB_Map: 22,
    PB_Ascii: 24,
    PB_Unicode: 25,
    PB_UTF8: 2,

    // What #PB_Compiler_OS and #PB_Compiler_Processor are compared with; a converted program
    // reports #PB_OS_Web and #PB_Processor_JavaScript.
    PB_OS_Windows: 1,
    PB_OS_Linux: 2,
    PB_OS_AmigaOS: 3,
    PB_OS_MacOS: 4,
    PB_OS_Web: 5,
    PB_Processor_mc68000: 1,
    PB_Processor_x86: 2,
    PB_Processor_PowerPC: 3,
    PB_Processor_x64: 4,
    PB_Processor_JavaScript: 5,
    PB_Processor_Arm64: 6,
    PB_Processor_Arm32: 7,
    PB_Backend_Asm: 0,
    PB_Backend_C: 1,

    PB_MessageRequester_Ok: 0,
    PB_MessageRequester_YesNoCancel: 3,
    PB_MessageRequester_YesNo: 4,
    PB_MessageRequester_Error: 16,
    PB_MessageRequester_Warning: 48,
    PB_MessageRequester_Info: 64,
    PB_MessageRequester_Yes: 6,
    PB_MessageRequester_No: 7,
    PB_MessageRequester_Cancel: 2,

    PB_JSON_Null: 0,
    PB_JSON_String: 1,
    PB_JSON_Number: 2,
    PB_JSON_Boolean: 3,
    PB_JSON_Array: 4,
    PB_JSON_Object: 5,
    PB_JSON_PrettyPrint: 1,

    PB_Memory_NoClear: 1,
    PB_Memory_FollowPointers: 256,
    PB_String_NoZero: 256,
    PB_String_NoCaseAscii: 3,
    PB_String_Equal: 0,
    PB_String_Lower: -1,
    PB_String_Greater: 1,
    PB_ByteLength: 64,
    PB_UTF16: 25,

    PB_Sort_Greater: 1,
    PB_Sort_Equal: 0,
    PB_Sort_Lesser: -1,

    PB_Cipher_MD5: 1,
    PB_Cipher_CRC32: 2,
    PB_Cipher_SHA1: 3,
    PB_Cipher_SHA2: 4,
    PB_Cipher_SHA3: 5,
    PB_Cipher_URL: 16,
    PB_Cipher_NoPadding: 32,
    PB_Cipher_HMAC: 65536,

    PB_OnError_InvalidMemory: 0xc0000005,
    PB_OnError_Floatingpoint: 0xc0000090,
    PB_OnError_Breakpoint: 0x80000003,
    PB_OnError_IllegalInstruction: 0xc000001d,
    PB_OnError_PriviledgedInstruction: 0xc0000096,
    PB_OnError_DivideByZero: 0xc0000094,
};

var orvConstantsByLowerName = {};

// The window libraries (g files) add their constants with their own code.
function orvAddConstants(table) {
    Object.keys(table).forEach(function (name) {
        orvConstants[name] = table[name];
        orvConstantsByLowerName[name.toLowerCase()] = table[name];
    });
}
Object.keys(orvConstants).forEach(function (name) {
    orvConstantsByLowerName[name.toLowerCase()] = orvConstants[name];
});

var cConstants = (global.cConstants =
    typeof Proxy === "undefined"
        ? orvConstants
        : new Proxy(orvConstants, {
              get: function (target, name) {
                  if (name in target || typeof name !== "string") return target[name];
                  return orvConstantsByLowerName[name.toLowerCase()];
              },
          }));
