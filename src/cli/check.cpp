#include "cli/check.h"

#include "core/paths.h"
#include "core/text.h"
#include "core/virtual_store.h"

namespace quillet::cli {

namespace {

struct Entry {
    std::string path;
    std::string key;  // upper case, without a trailing backslash: one directory, one entry
    std::string fields;
};

std::string KeyOf(std::string path) {
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return UpperAscii(path);
}

void AddEntries(std::vector<Entry>& entries, const std::string& list, const char* field) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = list.find(';', start);
        const std::string path =
            list.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (!path.empty()) {
            const std::string key = KeyOf(path);
            bool known = false;
            for (Entry& e : entries) {
                if (e.key != key) continue;
                known = true;
                if (e.fields.find(field) == std::string::npos) e.fields += std::string(",") + field;
            }
            if (!known) entries.push_back({path, key, field});
        }
        if (semi == std::string::npos) return;
        start = semi + 1;
    }
}

std::string WithSeparator(const std::string& dir) {
    return !dir.empty() && (dir.back() == '\\' || dir.back() == '/') ? dir : dir + "\\";
}

std::string VersionNumber(Version v) {
    return v == Version::D1 ? "1" : v == Version::D2 ? "2" : v == Version::D3 ? "3" : "0";
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    static const char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

}  // namespace

std::vector<Finding> CheckFields(Platform& platform, const MainView& view, Version version) {
    std::vector<Finding> findings;
    const std::string compiler = view.Text(Ctl::eExepath);
    if (compiler.empty() || !platform.FileExists(compiler)) {
        findings.push_back({"compiler-not-found", compiler, "",
                            "compiler not found: " + (compiler.empty() ? "(none)" : compiler)});
    } else {
        const std::string cfg = ReplaceExtension(compiler, ".cfg");
        const std::string twin = HiddenCopyOf(platform, cfg);
        if (!twin.empty()) {
            findings.push_back({kHiddenCopyFinding, twin, "",
                                "hidden copy in the VirtualStore, which the compiler reads "
                                "instead of " + cfg + ": " + twin});
        }
    }

    std::vector<Entry> entries;
    AddEntries(entries, view.Text(Ctl::eUnit), "unit");
    AddEntries(entries, view.Text(Ctl::eInc), "include");
    AddEntries(entries, view.Text(Ctl::eObject), version == Version::D1 ? "resource" : "object");

    bool sysUtils = false;
    for (const Entry& e : entries) {
        if (e.path.find("$(") != std::string::npos) {
            findings.push_back({"macro", e.path, e.fields,
                                "macro the compiler does not expand (" + e.fields + "): " + e.path});
        } else if (!platform.DirectoryExists(e.path)) {
            findings.push_back({"missing-directory", e.path, e.fields,
                                "directory does not exist (" + e.fields + "): " + e.path});
        } else if (e.fields.find("unit") != std::string::npos &&
                   platform.FileExists(WithSeparator(e.path) + "SYSUTILS.DCU")) {
            sysUtils = true;
        }
    }
    if (version == Version::D1 && !sysUtils) {
        findings.push_back({"no-sysutils", "SYSUTILS.DCU", "unit",
                            "SYSUTILS.DCU is in no directory of Delphi 1's unit path"});
    }
    return findings;
}

std::string Summary(const std::vector<Finding>& findings, Version version) {
    const std::string who = "Delphi " + VersionNumber(version);
    if (findings.empty()) return who + ": no problems found";
    return who + ": " + IntToStr(static_cast<long long>(findings.size())) +
           (findings.size() == 1 ? " problem found" : " problems found");
}

std::string FindingsJson(const std::vector<Finding>& findings, Version version,
                         const std::string& compiler,
                         const std::function<std::string(const std::string&)>& toUtf8) {
    std::string out = "{\"version\":" + VersionNumber(version) +
                      ",\"compiler\":" + JsonString(toUtf8(compiler)) + ",\"findings\":[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        if (i > 0) out += ",";
        out += "{\"kind\":" + JsonString(f.kind) + ",\"entry\":" + JsonString(toUtf8(f.entry)) +
               ",\"fields\":[";
        std::size_t start = 0;
        bool first = true;
        while (!f.fields.empty() && start <= f.fields.size()) {
            const std::size_t comma = f.fields.find(',', start);
            if (!first) out += ",";
            first = false;
            out += JsonString(f.fields.substr(
                start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        out += "],\"message\":" + JsonString(toUtf8(f.text)) + "}";
    }
    return out + "],\"summary\":" + JsonString(Summary(findings, version)) + "}\n";
}

}  // namespace quillet::cli
