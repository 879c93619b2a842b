#include "framework/FileAttributes.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

// Names of users and groups come from the system's databases; a number
// without a name is shown as the number.
std::string UserName(unsigned uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_name;
    return std::to_string(uid);
}

std::string GroupName(unsigned gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->gr_name;
    return std::to_string(gid);
}

std::string Octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777u);
    return text;
}

void AddPart(std::string& parts, const std::string& part) {
    if (!parts.empty())
        parts += ", ";
    parts += part;
}

} // namespace

std::string DescribeAttributeChange(const std::string& fileName, const AttributeChange& change) {
    if (change.IsEmpty())
        return {};
    const FileAttributes& was = change.before;
    const FileAttributes& now = change.after;
    std::string parts;
    if (was.owner != now.owner)
        AddPart(parts, "owner " + UserName(now.owner) + " (was " + UserName(was.owner) + ")");
    if (was.group != now.group)
        AddPart(parts, "group " + GroupName(now.group) + " (was " + GroupName(was.group) + ")");
    if (was.mode != now.mode)
        AddPart(parts, "permissions " + Octal(now.mode) + " (was " + Octal(was.mode) + ")");
    return "Saved \"" + fileName + "\", but it could not keep its attributes: now " + parts + ".";
}
