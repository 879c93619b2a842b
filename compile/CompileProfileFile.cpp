#include "compile/CompileProfileFile.h"

#include "framework/CSafeFileWriter.h"
#include "framework/RegularFile.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kLargestProfile = 1024 * 1024;

QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

QJsonObject StepToJson(const CompileStep& step) {
    QJsonArray args;
    for (const std::string& arg : step.args)
        args.append(ToQt(arg));
    QJsonObject object{{"program", ToQt(step.program)}, {"args", args}};
    if (!step.folder.empty())
        object.insert("folder", ToQt(step.folder));
    if (!step.enabled)
        object.insert("enabled", false);
    return object;
}

std::optional<std::string> StepFromJson(const QJsonValue& value, size_t number, CompileStep& step) {
    const std::string where = "step " + std::to_string(number);
    if (!value.isObject())
        return where + " is not an object";
    const QJsonObject object = value.toObject();
    if (!object.value("program").isString() || object.value("program").toString().isEmpty())
        return where + " has no \"program\"";
    step.program = object.value("program").toString().toStdString();
    const QJsonValue args = object.value("args");
    if (!args.isUndefined() && !args.isArray())
        return where + ": \"args\" is not a list";
    for (const QJsonValue& arg : args.toArray()) {
        if (!arg.isString())
            return where + ": an argument is not a string";
        step.args.push_back(arg.toString().toStdString());
    }
    const QJsonValue folder = object.value("folder");
    if (!folder.isUndefined() && !folder.isString())
        return where + ": \"folder\" is not a string";
    step.folder = folder.toString().toStdString();
    const QJsonValue enabled = object.value("enabled");
    if (!enabled.isUndefined() && !enabled.isBool())
        return where + ": \"enabled\" is not true or false";
    step.enabled = enabled.toBool(true);
    return std::nullopt;
}

// The first program of `names` found on the PATH, else the first name as it
// is, which fails to start with a message saying so. `found` tells which.
std::string FindProgram(std::initializer_list<const char*> names, bool* found = nullptr) {
    for (const char* name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) {
            if (found)
                *found = true;
            return path.toStdString();
        }
    }
    if (found)
        *found = false;
    return *names.begin();
}

std::string FileStem(const std::string& name) {
    std::string stem;
    for (char c : name) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        stem += plain ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : '-';
    }
    return stem.empty() ? "profile" : stem;
}

std::string NotRegular(unsigned mode) {
    return std::string("cannot be read: it is ") + DescribeFileType(mode) + ", not a regular file";
}

// The text of a profile file, or why there is none. Only a regular file is
// read, looked at before it is opened: a FIFO would block the editor and a
// device might never end; and no more than a profile can be.
std::optional<std::string> ReadProfileText(const std::string& path, std::string& text) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return std::string("cannot be read: ") + std::strerror(errno);
    if (!S_ISREG(status.st_mode))
        return NotRegular(status.st_mode);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::string("cannot be read: ") + std::strerror(errno);
    std::optional<std::string> problem;
    // It may have been replaced in between.
    if (::fstat(fd, &status) != 0)
        problem = std::string("cannot be read: ") + std::strerror(errno);
    else if (!S_ISREG(status.st_mode))
        problem = NotRegular(status.st_mode);
    char buffer[1 << 16];
    while (!problem) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            problem = std::string("cannot be read: ") + std::strerror(errno);
        else if (got == 0)
            break;
        else if (text.size() + static_cast<size_t>(got) > kLargestProfile)
            problem = "larger than " + std::to_string(kLargestProfile >> 20) +
                      " MiB, too large for a compile profile";
        else
            text.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return problem;
}

} // namespace

std::string CompileProfileToJson(const CompileProfile& profile) {
    QJsonArray steps;
    for (const CompileStep& step : profile.steps)
        steps.append(StepToJson(step));
    const QJsonObject object{{"name", ToQt(profile.name)}, {"steps", steps}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

std::optional<std::string> CompileProfileFromJson(std::string_view json, CompileProfile& profile) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError)
        return "not JSON: " + error.errorString().toStdString() + " at character " +
               std::to_string(error.offset);
    if (!document.isObject())
        return "not a profile: the text is not a JSON object";
    const QJsonObject object = document.object();
    if (!object.value("name").isString() || object.value("name").toString().trimmed().isEmpty())
        return "the profile has no \"name\"";
    if (!object.value("steps").isArray())
        return "the profile has no list of \"steps\"";
    CompileProfile read;
    read.name = object.value("name").toString().toStdString();
    size_t number = 0;
    for (const QJsonValue& value : object.value("steps").toArray()) {
        CompileStep step;
        if (std::optional<std::string> problem = StepFromJson(value, ++number, step))
            return problem;
        read.steps.push_back(std::move(step));
    }
    profile = std::move(read);
    return std::nullopt;
}

std::optional<std::string> ReadCompileProfile(const std::string& path, CompileProfile& profile) {
    std::string text;
    std::optional<std::string> problem = ReadProfileText(path, text);
    if (!problem)
        problem = CompileProfileFromJson(text, profile);
    if (problem)
        return path + ": " + *problem;
    return std::nullopt;
}

std::optional<std::string> WriteCompileProfile(const std::string& path,
                                               const CompileProfile& profile) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const std::string text = CompileProfileToJson(profile);
    CSafeFileWriter writer(path);
    if (writer.Open() && writer.Write(text.data(), text.size()) && writer.Commit())
        return std::nullopt;
    return path + ": " + writer.GetError();
}

std::vector<StoredProfile> LoadCompileProfiles(const std::string& folder,
                                               std::vector<std::string>& problems) {
    std::vector<StoredProfile> profiles;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".json")
            continue;
        StoredProfile stored{entry.path().string(), {}};
        if (std::optional<std::string> problem = ReadCompileProfile(stored.path, stored.profile))
            problems.push_back(*problem);
        else
            profiles.push_back(std::move(stored));
    }
    std::ranges::sort(profiles, [](const StoredProfile& a, const StoredProfile& b) {
        return a.profile.name != b.profile.name ? a.profile.name < b.profile.name : a.path < b.path;
    });
    return profiles;
}

std::string NewProfilePath(const std::string& folder, const std::string& name) {
    const std::string stem = FileStem(name);
    std::filesystem::path path = std::filesystem::path(folder) / (stem + ".json");
    std::error_code error;
    for (int number = 2; std::filesystem::exists(path, error); ++number)
        path = std::filesystem::path(folder) / (stem + "-" + std::to_string(number) + ".json");
    return path.string();
}

CompileProfile DefaultCompileProfile() {
    CompileProfile profile;
    profile.name = "Quake";
    profile.steps.push_back({FindProgram({"qbsp"}), {"${MAP}", "${BSP}"}, "", true});
    // A map compiles without vis and light; a step of a program not at hand
    // is left off rather than failing every run.
    for (const char* program : {"vis", "light"}) {
        bool found = false;
        std::string path = FindProgram({program}, &found);
        profile.steps.push_back({std::move(path), {"${BSP}"}, "", found});
    }
    // Engines load maps from the game's maps folder only.
    profile.steps.push_back({FindProgram({"cp"}), {"${BSP}", "${GAMEDIR}/id1/maps/"}, "", false});
    profile.steps.push_back({FindProgram({"ironwail", "quakespasm", "vkquake", "quake"}),
                             {"-basedir", "${GAMEDIR}", "+map", "${NAME}"},
                             "${GAMEDIR}",
                             false});
    return profile;
}
