// Path arithmetic for the FileSystemObject (see path_ops.h).
#include "vbscript/lib/path_ops.h"

#include <vector>

namespace vbs::lib {

namespace {

constexpr char16_t kSeparator = u'/';

std::u16string_view withoutTrailingSeparators(std::u16string_view path) {
    while (!path.empty() && path.back() == kSeparator)
        path.remove_suffix(1);
    return path;
}

} // namespace

std::u16string buildPath(std::u16string_view path, std::u16string_view name) {
    if (path.empty())
        return std::u16string(name);
    std::u16string out(withoutTrailingSeparators(path));
    while (!name.empty() && name.front() == kSeparator)
        name.remove_prefix(1);
    out.push_back(kSeparator);
    out.append(name);
    return out;
}

std::u16string fileName(std::u16string_view path) {
    path = withoutTrailingSeparators(path);
    std::size_t cut = path.rfind(kSeparator);
    return std::u16string(cut == std::u16string_view::npos ? path : path.substr(cut + 1));
}

std::u16string baseName(std::u16string_view path) {
    std::u16string name = fileName(path);
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string extensionName(std::u16string_view path) {
    std::u16string name = fileName(path);
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string parentFolderName(std::u16string_view path) {
    std::u16string_view trimmed = withoutTrailingSeparators(path);
    std::size_t cut = trimmed.rfind(kSeparator);
    if (cut == std::u16string_view::npos)
        return u"";
    std::u16string_view parent = withoutTrailingSeparators(trimmed.substr(0, cut));
    if (parent.empty())
        return u"/";
    return std::u16string(parent);
}

std::u16string absolutePath(std::u16string_view path, std::u16string_view currentFolder) {
    std::u16string full;
    if (path.empty() || path.front() != kSeparator) {
        full.assign(currentFolder);
        full.push_back(kSeparator);
    }
    full.append(path);
    std::vector<std::u16string_view> parts;
    std::u16string_view rest = full;
    while (!rest.empty()) {
        std::size_t cut = rest.find(kSeparator);
        std::u16string_view part = rest.substr(0, cut);
        rest = cut == std::u16string_view::npos ? std::u16string_view() : rest.substr(cut + 1);
        if (part.empty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::u16string out;
    for (auto part : parts) {
        out.push_back(kSeparator);
        out.append(part);
    }
    return out.empty() ? u"/" : out;
}

bool hasWildcards(std::u16string_view name) {
    return name.find_first_of(u"*?") != std::u16string_view::npos;
}

bool wildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    if (!name.empty() && name.front() == u'.' && (pattern.empty() || pattern.front() != u'.'))
        return false;
    if (pattern == u"*.*")
        return true;
    // Greedy matching with one point to come back to: the last "*" seen takes one more
    // character each time what follows it fails.
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::u16string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace vbs::lib
