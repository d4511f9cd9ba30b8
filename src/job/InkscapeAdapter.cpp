#include "job/InkscapeAdapter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "job/SvgGeometry.h"
#include "job/SvgReader.h"
#include "job/SvgText.h"
#include "platform/Decimal.h"
#include "platform/Files.h"

namespace sartovin {

namespace {

constexpr int kUngroupPasses = 8;  // groups nest; text becomes a group of glyphs
constexpr double kArcToleranceMm = 0.001;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Removes attribute `name` (and the white space before it) from a start tag.
void removeAttribute(std::string& tag, std::string_view name) {
    std::string value;
    std::size_t valueBegin = 0;
    if (!attributeValue(tag, name, value, &valueBegin)) return;
    std::size_t nameBegin = tag.rfind(std::string(name), valueBegin);
    std::size_t from = nameBegin;
    while (from > 0 && isSpace(tag[from - 1])) --from;
    tag.erase(from, valueBegin + value.size() + 1 - from);
}

void replaceAttributeValue(std::string& tag, std::string_view name, const std::string& value) {
    std::string old;
    std::size_t valueBegin = 0;
    if (!attributeValue(tag, name, old, &valueBegin)) return;
    tag.replace(valueBegin, old.size(), value);
}

std::string tagName(std::string_view text, std::size_t lt) {
    std::size_t i = lt + 1;
    while (i < text.size() && !isSpace(text[i]) && text[i] != '>' && text[i] != '/') ++i;
    return std::string(text.substr(lt + 1, i - lt - 1));
}

// Elements whose content is not drawn where it stands (or not drawn at all): left as they are.
bool isResourceElement(const std::string& name) {
    return name == "defs" || name == "clipPath" || name == "mask" || name == "marker" || name == "pattern" ||
           name == "symbol" || name == "metadata" || name == "sodipodi:namedview" || name == "title" ||
           name == "desc" || name == "svg:defs";
}

bool isHexColour(std::string_view v) {
    if (v.size() != 7 || v[0] != '#') return false;
    for (std::size_t i = 1; i < 7; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(v[i]))) return false;
    return true;
}

// The reader takes an object's colour from its style alone. Inkscape leaves the fill attribute of
// a path it did not rebuild where it was (as "#rrggbb"), and writes "fill:currentColor" as it
// found it; both are moved into the style as the colour they stand for, so that such an object is
// not read as black.
void fillIntoStyle(std::string& tag) {
    std::string style, fill;
    std::size_t styleBegin = 0;
    const bool hasStyle = attributeValue(tag, "style", style, &styleBegin);
    if (hasStyle && styleProperty(style, "fill", fill)) {
        std::string colour;
        const std::size_t at = style.find("fill:currentColor");
        if (fill != "currentColor" || at == std::string::npos || !styleProperty(style, "color", colour) ||
            !isHexColour(colour))
            return;
        tag.replace(styleBegin + at + 5, 12, colour);
        return;
    }
    std::string attribute;
    if (!attributeValue(tag, "fill", attribute) || !isHexColour(trimmed(attribute))) return;
    const std::string declaration = "fill:" + trimmed(attribute);
    if (hasStyle) {
        tag.insert(styleBegin, declaration + (style.empty() ? "" : ";"));
        return;
    }
    std::size_t end = tag.size() - 1;  // the ">"
    if (end > 0 && tag[end - 1] == '/') --end;
    tag.insert(end, " style=\"" + declaration + "\"");
}

bool isGroupElement(const std::string& name) {
    return name == "g" || name == "a" || name == "switch" || name == "svg:g";
}

}  // namespace

InkscapeVersion parseInkscapeVersion(const std::string& text) {
    InkscapeVersion v;
    std::size_t p = text.find("Inkscape ");
    while (p != std::string::npos) {
        int major = 0, minor = 0;
        if (std::sscanf(text.c_str() + p + 9, "%d.%d", &major, &minor) == 2 && major >= 0 && minor >= 0) {
            v.major = major;
            v.minor = minor;
            v.known = true;
            return v;
        }
        p = text.find("Inkscape ", p + 1);
    }
    return v;
}

std::vector<std::string> inkscapeArguments(const std::string& copyPath, const InkscapeVersion& version,
                                           const std::set<std::string>& selectedTexts) {
    if (!version.hasActions()) {
        // The verb list of old, one argument per verb (the command line had them space-separated).
        return {copyPath,
                "--verb=EditSelectAllInAllLayers",
                "--verb=ObjectToPath",
                "--verb=SelectionUnGroup",
                "--verb=SelectionGroup",
                "--verb=ObjectRotate90CCW",
                "--verb=ObjectRotate90CCW",
                "--verb=ObjectFlipHorizontally",
                "--verb=SelectionUnGroup",
                "--verb=SelectionUnGroup",
                "--verb=EditSelectAllInAllLayers",
                "--verb=SelectionUnGroup",
                "--verb=FileSave",
                "--verb=FileClose"};
    }
    // Grouping across layers would pull every object into one layer, so instead of the old
    // group-turn-ungroup the whole selection is flipped after the groups are dissolved; every
    // object then stays in its own layer. "no-layers" selects the top objects of every layer
    // (groups among them) without the layers themselves.
    std::string actions = "select-all:all;clone-unlink-recursively;select-all:no-groups;object-to-path;";
    // Text turned into paths is a group of new outlines, one a letter: while they are the
    // selection, they get the mark that tells the reader they belong to the user's selection.
    std::string ids;
    for (const std::string& id : selectedTexts) {
        // Ids are XML names; one that could end the action list is no id Inkscape gave.
        if (id.empty() || id.find_first_of(",;") != std::string::npos) continue;
        ids += (ids.empty() ? "" : ",") + id;
    }
    if (!ids.empty()) {
        actions += "select-clear;select-by-id:" + ids;
        actions += std::string(";selection-ungroup;object-set-attribute:") + kSvgSelectedAttribute + ",1;";
    }
    for (int i = 0; i < kUngroupPasses; ++i) actions += "select-all:no-layers;selection-ungroup;";
    actions += "select-all:no-groups;object-to-path;select-all:no-groups;object-flip-vertical";
    return {copyPath, "--actions=" + actions, "--export-overwrite", "--export-type=svg"};
}

std::string inkscapePreferencesText() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<inkscape version=\"1\"\n"
           "  xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"\n"
           "  xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\">\n"
           "  <group id=\"options\">\n"
           "    <group id=\"svgoutput\"\n"
           "           pathstring_format=\"0\"\n"
           "           forcerepeatcommands=\"1\"\n"
           "           allowrelativecoordinates=\"0\" />\n"
           "    <group id=\"preservetransform\" value=\"0\" />\n"
           "    <group id=\"kbselection\" inlayer=\"0\" onlyvisible=\"0\" onlysensitive=\"0\" />\n"
           "  </group>\n"
           "</inkscape>\n";
}

bool inkscapePreferencesInOrder(const std::string& text) {
    const std::string key = "allowrelativecoordinates";
    std::size_t p = text.find(key);
    if (p == std::string::npos) return false;
    std::size_t lineEnd = text.find('\n', p);
    std::size_t zero = text.find('0', p + key.size());
    return zero != std::string::npos && (lineEnd == std::string::npos || zero < lineEnd);
}

DocumentMap documentMapOf(std::string_view text) {
    std::size_t root = findStartTag(text, "svg", 0);
    if (root == std::string::npos) root = findStartTag(text, "svg:svg", 0);
    if (root == std::string::npos) return documentMap({}, {}, {}, {});
    std::size_t end = findTagEnd(text, root);
    if (end == std::string::npos) return documentMap({}, {}, {}, {});
    std::string_view tag = text.substr(root, end - root + 1);
    std::string w, h, box, align;
    attributeValue(tag, "width", w);
    attributeValue(tag, "height", h);
    attributeValue(tag, "viewBox", box);
    attributeValue(tag, "preserveAspectRatio", align);
    return documentMap(w, h, box, align);
}

bool normaliseInkscapeCopy(const std::string& before, const std::string& after, std::string& out) {
    if (after.empty() || after == before) return false;
    std::size_t root = findStartTag(after, "svg", 0);
    if (root == std::string::npos || after.find("</svg>") == std::string::npos) return false;
    if (findStartTag(after, "path", root) == std::string::npos) return false;

    const Affine rootMap =
        compose(Affine::scaling(kSvgUnitsPerMm, kSvgUnitsPerMm), documentMapOf(after).toMm);
    const double tolerance = kArcToleranceMm * kSvgUnitsPerMm;

    std::string result;
    result.reserve(after.size() + after.size() / 4);
    std::vector<Affine> groups{rootMap};
    std::vector<bool> groupPushed;  // per open group-like element: did it push a map
    int resourceDepth = 0;
    int drawnPaths = 0;
    bool rootSeen = false;
    bool hasDefs = after.find("<defs") != std::string::npos || after.find("<metadata") != std::string::npos ||
                   after.find("<svg:defs") != std::string::npos;
    std::size_t pos = 0;
    while (pos < after.size()) {
        std::size_t lt = after.find('<', pos);
        if (lt == std::string::npos) {
            result.append(after, pos, std::string::npos);
            break;
        }
        result.append(after, pos, lt - pos);
        auto copyUpTo = [&](std::size_t endExclusive) {
            result.append(after, lt, endExclusive - lt);
            pos = endExclusive;
        };
        if (after.compare(lt, 4, "<!--") == 0) {
            std::size_t e = after.find("-->", lt);
            copyUpTo(e == std::string::npos ? after.size() : e + 3);
            continue;
        }
        if (after.compare(lt, 9, "<![CDATA[") == 0) {
            std::size_t e = after.find("]]>", lt);
            copyUpTo(e == std::string::npos ? after.size() : e + 3);
            continue;
        }
        if (after.compare(lt, 2, "<?") == 0 || after.compare(lt, 2, "<!") == 0) {
            std::size_t e = after.find('>', lt);
            copyUpTo(e == std::string::npos ? after.size() : e + 1);
            continue;
        }
        std::size_t gt = findTagEnd(after, lt);
        if (gt == std::string::npos) return false;  // truncated
        if (after[lt + 1] == '/') {
            const std::string name = tagName(after, lt + 1);
            // Inside definitions every element counts, gradients and groups as well.
            if (resourceDepth > 0)
                --resourceDepth;
            else if (resourceDepth == 0 && isGroupElement(name) && !groupPushed.empty()) {
                if (groupPushed.back()) groups.pop_back();
                groupPushed.pop_back();
            }
            copyUpTo(gt + 1);
            continue;
        }
        const std::string name = tagName(after, lt);
        const bool selfClosing = isSelfClosing(after, gt);
        std::string tag = after.substr(lt, gt - lt + 1);
        if (!rootSeen && (name == "svg" || name == "svg:svg")) {
            rootSeen = true;
            result += tag;
            if (!hasDefs) result += "\n  <defs id=\"defs-added\" />";
            pos = gt + 1;
            continue;
        }
        if (resourceDepth > 0 || isResourceElement(name)) {
            if (!selfClosing) ++resourceDepth;
            copyUpTo(gt + 1);
            continue;
        }
        std::string transform;
        Affine own;
        const bool hasTransform = attributeValue(tag, "transform", transform);
        const bool transformRead = !hasTransform || parseTransform(transform, own);
        if (isGroupElement(name)) {
            if (!selfClosing) {
                groups.push_back(compose(groups.back(), own));
                groupPushed.push_back(true);
            }
            if (hasTransform && transformRead) removeAttribute(tag, "transform");
        } else if (name == "path" || name == "svg:path") {
            std::string d, rewritten;
            if (transformRead && attributeValue(tag, "d", d) &&
                rewritePathData(decodeEntities(d), compose(groups.back(), own), tolerance, rewritten)) {
                if (!rewritten.empty()) ++drawnPaths;
                replaceAttributeValue(tag, "d", rewritten);
                if (hasTransform) removeAttribute(tag, "transform");
            }
            fillIntoStyle(tag);
        }
        result += tag;
        pos = gt + 1;
    }
    // A file Inkscape could not read is saved with nothing drawable in it.
    if (drawnPaths == 0) return false;
    out = std::move(result);
    return true;
}

InkscapeVersion InkscapeAdapter::queryVersion(const std::string& program) {
    const std::string output = m_tempFolder + "/qxinkscape-version.txt";
    removeFile(output);
    int pid = m_processes.start(program, {"--version"}, {}, output);
    if (pid < 0) return {};
    if (!waitFor(pid, 100, output)) {
        m_processes.stop(pid);
        removeFile(output);
        return {};
    }
    InkscapeVersion v = parseInkscapeVersion(readWholeFile(output).value_or(""));
    removeFile(output);
    return v;
}

std::string InkscapeAdapter::preparePrivateProfile() {
    const std::string folder = m_tempFolder + "/qxinkscape-profile/";
    if (!MakeSureDirectoryPathExists(folder)) return {};
    if (!writeFileAtomic(folder + "preferences.xml", inkscapePreferencesText())) return {};
    return folder;
}

bool InkscapeAdapter::waitFor(int pid, int passes, const std::string& file) {
    bool gone = false;
    for (int i = 0; i < passes; ++i) {
        m_ui.pump();
        m_ui.pause(100);
        if (m_processes.isRunning(pid)) continue;
        // Once the program has gone, one pass more, then the file must be there.
        if (gone && fileExists(file)) return true;
        gone = true;
    }
    return gone && fileExists(file);
}

bool InkscapeAdapter::convert(const std::string& program, const InkscapeVersion& version,
                              const std::string& copyPath, bool& startFailed) {
    startFailed = false;
    const std::string before = readWholeFile(copyPath).value_or("");
    EnvironmentChanges env;
    if (version.hasActions()) {
        const std::string profile = preparePrivateProfile();
        if (profile.empty()) return false;
        env.emplace_back("INKSCAPE_PROFILE_DIR", profile);
    }
    const std::string log = m_tempFolder + "/qxinkscape-run.txt";
    int pid = m_processes.start(program, inkscapeArguments(copyPath, version, m_selectedTexts), env, log);
    if (pid < 0) {
        startFailed = true;
        return false;
    }
    const bool finished = waitFor(pid, m_waitPasses, copyPath);
    removeFile(log);
    if (!finished) {
        // Still running after the whole wait: its copy may be half written.
        m_processes.stop(pid);
        return false;
    }
    std::string normalised;
    if (!normaliseInkscapeCopy(before, readWholeFile(copyPath).value_or(""), normalised)) return false;
    return writeFileAtomic(copyPath, normalised);
}

}  // namespace sartovin
