#include "converter/run/directives.h"

#include <vector>

#include "converter/server/server.h"

namespace orvane {

namespace {

struct ConfigParameter {
    std::string_view LowerName;
    std::string RunSettings::*Field;
};

// The #ORV_Config_ names a program may pass to ORV_SetConfig, and the setting each one fills.
constexpr ConfigParameter kConfigParameters[] = {
    {"#orv_config_applicationname", &RunSettings::ApplicationNameConfig},
    {"#orv_config_serveraddress", &RunSettings::ServerAddressConfig},
    {"#orv_config_targetfolder", &RunSettings::TargetFolder},
    {"#orv_config_serveraddressjs", &RunSettings::ServerAddressJS},
    {"#orv_config_targetfolderjs", &RunSettings::TargetFolderJS},
    {"#orv_config_aspfilename", &RunSettings::AspFilenameConfig},
    {"#orv_config_aspaddress", &RunSettings::AspAddressConfig},
    {"#orv_config_aspxfilename", &RunSettings::AspxFilenameConfig},
    {"#orv_config_aspxaddress", &RunSettings::AspxAddressConfig},
    {"#orv_config_cgifilename", &RunSettings::CgiFilenameConfig},
    {"#orv_config_cgiaddress", &RunSettings::CgiAddressConfig},
    {"#orv_config_phpfilename", &RunSettings::PhpFilenameConfig},
    {"#orv_config_phpaddress", &RunSettings::PhpAddressConfig},
    {"#orv_config_nodejsfilename", &RunSettings::NodeJsFilenameConfig},
    {"#orv_config_nodejsaddress", &RunSettings::NodeJsAddressConfig},
    {"#orv_config_pythonfilename", &RunSettings::PythonFilenameConfig},
    {"#orv_config_pythonaddress", &RunSettings::PythonAddressConfig},
    {"#orv_config_useflask", &RunSettings::UseFlaskConfig},
    {"#orv_config_flaskport", &RunSettings::FlaskPortConfig},
};

struct ParameterRecord {
    std::string Name;
    std::string Value;
};

// Moves the cursor two tokens on and returns that token's text without double quotes; ""
// once the list has ended, so a directive cut off at the end of the text takes what is there.
std::string TextTwoTokensOn(TokenList& tokens) {
    for (int i = 0; i < 2; ++i)
        if (!tokens.StepNext()) return "";
    return RemoveAll(tokens.Cur().Text, "\"");
}

// Words that open or close a raw JavaScript block; after translation each marker line becomes a
// JavaScript comment naming it.
constexpr std::string_view kCommentedMarkers[] = {
    "ORV_Converter_SetProfile", "ORV_Converter_Begin_Raw", "ORV_EnableJS", "EnableJS",
    "ORV_Converter_End_Raw",    "ORV_DisableJS",           "DisableJS",
};

}  // namespace

void ScanDirectives(Conversion& conv, const std::string& text) {
    TokenList& tokens = conv.Tokens;
    TokenizeText(tokens, text);
    std::vector<ParameterRecord> parameters;
    bool profileNameExpected = false;

    tokens.ResetCursor();
    while (tokens.StepNext()) {
        const Token& token = tokens.Cur();
        if (token.Type == PBSC_Identifier) {
            if (EqualsNoCase(token.Text, "orv_converter_setprofile")) {
                profileNameExpected = true;
            } else if (EqualsNoCase(token.Text, "orv_converter_donotcopy")) {
                conv.Settings.DoNotCopy = 1;
            } else if (EqualsNoCase(token.Text, "orv_setconfig")) {
                ParameterRecord record;
                record.Name = TextTwoTokensOn(tokens);
                record.Value = TextTwoTokensOn(tokens);
                if (EqualsNoCase(record.Value, "#true") || EqualsNoCase(record.Value, "true"))
                    record.Value = "1";
                parameters.push_back(std::move(record));
            }
        } else if (token.Type == PBSC_String && profileNameExpected) {
            profileNameExpected = false;
            conv.Settings.ProfileName = RemoveAll(token.Text, "\"");
        }
    }

    for (const ParameterRecord& record : parameters) {
        std::string lowerName = Lower(record.Name);
        bool known = false;
        for (const ConfigParameter& parameter : kConfigParameters) {
            if (parameter.LowerName == lowerName) {
                conv.Settings.*parameter.Field = record.Value;
                known = true;
                break;
            }
        }
        if (!known) {
            LogMessage(conv, "");
            LogMessage(conv, "Unknown Config-Parameter found: '" + record.Name + "'", true);
            LogMessage(conv, "");
        }
    }
}

std::string StripCommentBlocks(Conversion& conv, const std::string& text) {
    std::string result;
    result.reserve(text.size());
    bool inComment = false;
    int lineNumber = 0;
    int openedAt = 0;
    // Server code keeps the indentation of its lines: Python reads its blocks from it.
    std::string serverBlockEnd;
    for (std::string_view rawLine : CompleteLines(text)) {
        ++lineNumber;
        std::string line = TrimBlanks(rawLine);
        std::string test = TrimWhite(line);
        if (!inComment && !serverBlockEnd.empty()) {
            if (StartsWithNoCase(test, serverBlockEnd))
                serverBlockEnd.clear();
            else if (!line.empty())
                line = TrimTrailingChars(rawLine, " ");
        } else if (!inComment) {
            serverBlockEnd = ServerBlockEnd(test);
        }
        if (StartsWithNoCase(test, "orv_converter_begin_comment")) {
            if (!inComment) openedAt = lineNumber;
            inComment = true;
            continue;
        }
        if (StartsWithNoCase(test, "orv_converter_end_comment")) {
            inComment = false;
            continue;
        }
        if (!inComment && !line.empty()) {
            result += line;
            result += '\n';
        }
    }
    // The rest of the program vanishing without a word would be hard to trace back to a
    // forgotten end marker, so say where the open block began.
    if (inComment)
        LogMessage(conv,
                   "Note: ORV_Converter_Begin_Comment in line " + std::to_string(openedAt) +
                       " has no ORV_Converter_End_Comment; the rest of the source is left out");
    return result;
}

std::string ExpandBangLines(Conversion&, const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line =
            TrimLeadingChars(std::string_view(text).substr(pos, end - pos), " \t\r\n");
        pos = end + 1;
        if (line.empty()) continue;
        if (line[0] == '!') {
            result += "EnableJS\n;";
            result.append(line, 1);
            result += "\nDisableJS\n";
        } else {
            result += line;
            result += '\n';
        }
    }
    return result;
}

std::string ResolveRawBlocks(Conversion&, const std::string& text) {
    std::string result;
    result.reserve(text.size());
    bool raw = false;
    for (std::string_view rawLine : CompleteLines(text)) {
        std::string line = TrimBlanks(rawLine);
        // One lowered copy searched plainly costs less than six case-free searches a line.
        const std::string lower = Lower(line);
        if (OpensRawBlock(lower))
            raw = true;
        else if (ClosesRawBlock(lower))
            raw = false;
        if (raw && !line.empty() && line[0] == ';') line.erase(0, 1);
        result += line;
        result += '\n';
    }
    return result;
}

void DisableDirectives(Conversion& conv, const std::string& text) {
    TokenList& tokens = conv.Tokens;
    TokenizeText(tokens, text);
    bool skip = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& token = tokens.At(id);
        if (token.Type == PBSC_Identifier) {
            std::string lower = Lower(token.Text);
            if (lower == "orv_converter_donotcopy" || lower == "orv_setconfig") {
                token.Text.clear();
                token.Type = PBSC_Other;
                skip = true;
            } else {
                for (std::string_view marker : kCommentedMarkers) {
                    if (EqualsNoCase(marker, lower)) {
                        token.Text = "// " + std::string(marker);
                        token.Type = PBSC_Comment;
                        skip = true;
                        break;
                    }
                }
            }
        } else if (token.Type == PBSC_NewLine) {
            skip = false;
        }
        if (skip && token.Type != PBSC_Comment) {
            token.Text.clear();
            token.Type = PBSC_Other;
        }
    }
}

}  // namespace orvane
