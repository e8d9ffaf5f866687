#include "converter/program/model.h"

namespace orvane::program {

std::string BasicLetter(const std::string& typeName) {
    std::string t;
    for (char c : typeName)
        t += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    if (t.size() == 1 && std::string("bawuclifdqs").find(t[0]) != std::string::npos) return t;
    return "";
}

bool ValueType::IsStructure() const {
    return !Name.empty() && BasicLetter(Name).empty();
}

int SizeOfBasic(const std::string& letter) {
    if (letter == "b" || letter == "a") return 1;
    if (letter == "w" || letter == "u" || letter == "c") return 2;
    if (letter == "l" || letter == "f") return 4;
    return 8;
}

int TypeCode(const ValueType& type) {
    if (type.Pointer) return 0;
    if (type.FixedLength > 0) return -type.FixedLength;
    const std::string& t = type.Name;
    if (t == "b") return 1;
    if (t == "w") return 3;
    if (t == "l") return 5;
    if (t == "s") return 8;
    if (t == "f") return 9;
    if (t == "c") return 11;
    if (t == "d") return 12;
    if (t == "q") return 13;
    if (t == "a") return 24;
    if (t == "u") return 25;
    if (t.empty() || t == "i") return 21;
    return 7;
}

}  // namespace orvane::program
