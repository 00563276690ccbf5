#include "core/save_job.h"

#include <charconv>

namespace quillet {

namespace {

constexpr const char* kMagic = "Quillet save job 1";

// "cfg new 12" or "cfg replace 12" for a file of 12 bytes.
std::string FileLine(const char* role, const JobFile& file) {
    return std::string(role) + (file.replace ? " replace " : " new ") +
           std::to_string(file.bytes.size()) + "\r\n";
}

// Splits the header into lines ended by CR LF; the header ends at "end".
class Header {
public:
    explicit Header(const std::string& bytes) : bytes_(bytes) {}
    bool Next(std::string& line) {
        const std::size_t end = bytes_.find("\r\n", at_);
        if (end == std::string::npos || end - at_ > 300) return false;
        line = bytes_.substr(at_, end - at_);
        at_ = end + 2;
        return true;
    }
    std::size_t Offset() const { return at_; }

private:
    const std::string& bytes_;
    std::size_t at_ = 0;
};

bool ParseSize(const std::string& text, std::size_t& size) {
    if (text.empty() || text.size() > 7 || (text.size() > 1 && text[0] == '0')) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), size);
    return ec == std::errc() && end == text.data() + text.size();
}

// "cfg new 12" into `file` with its size in `size`; false when the line is
// not such a line for `role`.
bool ParseFileLine(const std::string& line, const char* role, JobFile& file, std::size_t& size) {
    const std::string start = std::string(role) + " ";
    if (line.rfind(start, 0) != 0) return false;
    const std::string rest = line.substr(start.size());
    const std::size_t space = rest.find(' ');
    if (space == std::string::npos) return false;
    const std::string how = rest.substr(0, space);
    if (how != "new" && how != "replace") return false;
    file.replace = how == "replace";
    return ParseSize(rest.substr(space + 1), size);
}

bool Refuse(std::string& why, const std::string& text) {
    why = text;
    return false;
}

}  // namespace

std::string EncodeJob(const SaveJob& job) {
    std::string text = std::string(kMagic) + "\r\n";
    text += "version " + std::to_string(static_cast<int>(job.version)) + "\r\n";
    text += "compiler " + job.compiler + "\r\n";
    if (job.cfg) text += FileLine("cfg", *job.cfg);
    if (job.bat) text += FileLine("bat", *job.bat);
    if (job.copyStub) text += "stub\r\n";
    text += "end\r\n";
    if (job.cfg) text += job.cfg->bytes;
    if (job.bat) text += job.bat->bytes;
    return text;
}

bool ParseJob(const std::string& bytes, SaveJob& job, std::string& why) {
    job = SaveJob{};
    if (bytes.size() > kMaxJobBytes) return Refuse(why, "the job is larger than any Save writes");
    Header header(bytes);
    std::string line;
    if (!header.Next(line) || line != kMagic) return Refuse(why, "not a Quillet save job");
    if (!header.Next(line) || line.size() != 9 || line.rfind("version ", 0) != 0 ||
        line[8] < '1' || line[8] > '3') {
        return Refuse(why, "no version 1, 2 or 3");
    }
    job.version = static_cast<Version>(line[8] - '0');
    if (!header.Next(line) || line.rfind("compiler ", 0) != 0 || line.size() == 9) {
        return Refuse(why, "no compiler name");
    }
    job.compiler = line.substr(9);

    std::size_t cfgSize = 0, batSize = 0;
    bool ok = header.Next(line);
    JobFile file;
    if (ok && ParseFileLine(line, "cfg", file, cfgSize)) {
        job.cfg = file;
        ok = header.Next(line);
    }
    if (ok && ParseFileLine(line, "bat", file, batSize)) {
        job.bat = file;
        ok = header.Next(line);
    }
    if (ok && line == "stub") {
        job.copyStub = true;
        ok = header.Next(line);
    }
    if (!ok || line != "end") return Refuse(why, "a line of the job is not understood");

    const std::size_t at = header.Offset();
    if (bytes.size() - at != cfgSize + batSize) {
        return Refuse(why, "the files in the job are not the sizes it gives");
    }
    if (job.cfg) job.cfg->bytes = bytes.substr(at, cfgSize);
    if (job.bat) job.bat->bytes = bytes.substr(at + cfgSize, batSize);
    return true;
}

std::string JobExitText(unsigned long code) {
    switch (code) {
        case kJobExitUnreadable: return "The companion could not read the job it was given.";
        case kJobExitDigest:
            return "The job was changed after it was handed over; nothing was written.";
        case kJobExitFolder:
            return "The folder does not hold the compiler of this version; nothing was written.";
        default: return "The companion ended with exit code " + std::to_string(code) + ".";
    }
}

bool PlainAbsoluteFolder(const std::string& folder) {
    if (folder.size() < 3 || folder.size() > 259) return false;
    std::size_t first = 0;  // where the first name after the root starts
    const bool drive = ((folder[0] | 0x20) >= 'a' && (folder[0] | 0x20) <= 'z') &&
                       folder[1] == ':' && folder[2] == '\\';
    if (drive) {
        first = 3;
    } else if (folder.rfind("\\\\", 0) == 0 && folder.size() > 2 && folder[2] != '\\' &&
               folder[2] != '?' && folder[2] != '.') {
        first = 2;
    } else {
        return false;
    }
    if (folder.find_first_of("/*?\"<>|", 0) != std::string::npos) return false;
    if (folder.find(':', first) != std::string::npos) return false;
    std::size_t start = first;
    while (start < folder.size()) {
        std::size_t end = folder.find('\\', start);
        if (end == std::string::npos) end = folder.size();
        const std::string part = folder.substr(start, end - start);
        // An empty part (a doubled separator) only as the trailing one.
        if (part.empty() ? end != folder.size() - 1 && end != folder.size()
                         : part.find_first_not_of('.') == std::string::npos) {
            return false;
        }
        // Windows drops trailing dots and blanks, so "..." or ". ." is "..".
        if (!part.empty() && (part.back() == '.' || part.back() == ' ')) return false;
        start = end + 1;
    }
    return true;
}

std::string ElevatedSaveParameters(const std::string& folder, const std::string& jobPath,
                                   const std::string& digest) {
    // Backslashes before a closing quote would escape it; doubled, they stay.
    auto quote = [](const std::string& arg) {
        std::string trailing;
        std::size_t end = arg.size();
        while (end > 0 && arg[end - 1] == '\\') {
            trailing += "\\\\";
            --end;
        }
        std::string quoted(1, '"');
        quoted.append(arg, 0, end).append(trailing).push_back('"');
        return quoted;
    };
    return std::string(kElevatedSaveVerb) + " " + quote(folder) + " " + quote(jobPath) + " " +
           digest;
}

std::string EncodeJobSteps(const std::vector<JobStep>& steps) {
    std::string text;
    for (const JobStep& step : steps) {
        text += step.role + " ";
        text += step.outcome.empty() ? std::to_string(step.error) : step.outcome;
        text += "\r\n";
    }
    return text;
}

std::vector<JobStep> ParseJobSteps(const std::string& text) {
    std::vector<JobStep> steps;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        const std::size_t space = line.find(' ');
        if (space != std::string::npos) {
            JobStep step{line.substr(0, space), line.substr(space + 1), 0};
            if (step.outcome != "written" && step.outcome != "kept") {
                unsigned long error = 0;
                const char* digits = step.outcome.data();
                const auto [stop, ec] =
                    std::from_chars(digits, digits + step.outcome.size(), error);
                step.error = ec == std::errc() && error != 0 ? error : 1;
                step.outcome.clear();
            }
            steps.push_back(step);
        }
        start = end + 2;
    }
    return steps;
}

}  // namespace quillet
