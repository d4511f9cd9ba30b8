#include "FakeIllustrator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

#include "aiplugin/SartovinPlugin.h"

namespace sartovin::test {

namespace {

FakeIllustrator* g_host = nullptr;

FakeIllustrator& host() { return *g_host; }
FakeArt* artOf(AIArtHandle h) { return reinterpret_cast<FakeArt*>(h); }
AIArtHandle handleOf(FakeArt* a) { return reinterpret_cast<AIArtHandle>(a); }
FakeLayer* layerOf(AILayerHandle h) { return reinterpret_cast<FakeLayer*>(h); }
AILayerHandle handleOf(FakeLayer* l) { return reinterpret_cast<AILayerHandle>(l); }

FakeLayer* owningLayer(const FakeArt* art) {
    while (art && art->parent) art = art->parent;
    for (auto& l : host().layers)
        if (&l->group == art) return l.get();
    return nullptr;
}

bool changeable(const FakeLayer* layer) { return layer && layer->editable && layer->visible; }

int countArt(const FakeArt& art) {
    int n = 0;
    for (const auto& c : art.children) n += 1 + countArt(*c);
    return n;
}

std::unique_ptr<FakeArt> deepCopy(const FakeArt& art, FakeArt* parent) {
    auto copy = std::make_unique<FakeArt>();
    copy->type = art.type;
    copy->parent = parent;
    copy->segments = art.segments;
    copy->closed = art.closed;
    copy->selected = art.selected;
    copy->fillPaint = art.fillPaint;
    copy->strokePaint = art.strokePaint;
    copy->fill = art.fill;
    copy->strokeWidth = art.strokeWidth;
    copy->glyphs = art.glyphs;
    for (const auto& c : art.children) copy->children.push_back(deepCopy(*c, copy.get()));
    return copy;
}

std::size_t indexInParent(const FakeArt* art) {
    const auto& siblings = art->parent->children;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == art) return i;
    return siblings.size();
}

struct Box {
    bool any = false;
    AIReal left = 0, top = 0, right = 0, bottom = 0;
    void add(AIReal x, AIReal y) {
        if (!any) {
            left = right = x;
            top = bottom = y;
            any = true;
        }
        left = std::min(left, x), right = std::max(right, x);
        bottom = std::min(bottom, y), top = std::max(top, y);
    }
};

// Anchors, with the handles when the flags ask for control bounds (4); the stroke widens the
// bounds when the flags ask for it (32).
void boundsOf(const FakeArt& art, std::int32_t flags, Box& box) {
    auto addSegments = [&](const std::vector<AIPathSegment>& segs) {
        for (const AIPathSegment& s : segs) {
            box.add(s.p.h, s.p.v);
            if (flags & 4) {
                box.add(s.in.h, s.in.v);
                box.add(s.out.h, s.out.v);
            }
        }
    };
    addSegments(art.segments);
    for (const auto& glyph : art.glyphs)
        for (const auto& contour : glyph) addSegments(contour);
    for (const auto& c : art.children) boundsOf(*c, flags, box);
}

SPErr failureOf(const char* member) {
    auto it = host().failures.find(member);
    return it == host().failures.end() ? kSPNoError : it->second;
}

// ---- SP basic, blocks --------------------------------------------------------------------------

const void* suiteByName(const std::string& name, std::int32_t version);

SPErr acquireSuite(const char* name, std::int32_t version, const void** suite) {
    *suite = nullptr;
    if (host().missingSuite == name) return kSPSuiteNotFoundError;
    *suite = suiteByName(name, version);
    if (!*suite) return kSPSuiteNotFoundError;
    host().heldSuites[name] += 1;
    host().acquisitions += 1;
    return kSPNoError;
}

SPErr releaseSuite(const char* name, std::int32_t) {
    auto it = host().heldSuites.find(name);
    if (it == host().heldSuites.end() || it->second == 0) {
        ADD_FAILURE() << "released a suite that was not held: " << name;
        return kSPSuiteNotFoundError;
    }
    if (--it->second == 0) host().heldSuites.erase(it);
    return kSPNoError;
}

AIBoolean isEqual(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

SPErr allocateBlock(std::size_t size, const char* name, void** block) {
    *block = std::calloc(1, size);
    host().blocksAllocated.push_back(std::string(name) + ":" + std::to_string(size));
    host().blocksHeld += 1;
    return kSPNoError;
}

SPErr freeBlock(void* block) {
    std::free(block);
    host().blocksHeld -= 1;
    return kSPNoError;
}

// ---- art ------------------------------------------------------------------------------------------

AIErr getFirstArtOfLayer(AILayerHandle layer, AIArtHandle* art) {
    *art = handleOf(&layerOf(layer)->group);
    return kSPNoError;
}
AIErr getArtType(AIArtHandle art, short* type) {
    *type = artOf(art)->type;
    return kSPNoError;
}
AIErr getArtFirstChild(AIArtHandle art, AIArtHandle* child) {
    FakeArt* a = artOf(art);
    *child = a->children.empty() ? nullptr : handleOf(a->children.front().get());
    return kSPNoError;
}
AIErr getArtSibling(AIArtHandle art, AIArtHandle* sibling) {
    FakeArt* a = artOf(art);
    *sibling = nullptr;
    if (!a->parent) return kSPNoError;
    const std::size_t i = indexInParent(a);
    if (i + 1 < a->parent->children.size()) *sibling = handleOf(a->parent->children[i + 1].get());
    return kSPNoError;
}
AIErr duplicateArt(AIArtHandle art, short paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
    FakeArt* a = artOf(art);
    FakeArt* p = artOf(prep);
    if (!changeable(owningLayer(p))) return kLockedLayerError;
    if (paintOrder != kPlaceAbove && paintOrder != kPlaceBelow) return kSPSuiteNotFoundError;
    auto copy = deepCopy(*a, p->parent);
    *newArt = handleOf(copy.get());
    auto& siblings = p->parent->children;
    const std::size_t i = indexInParent(p);
    siblings.insert(siblings.begin() + static_cast<long>(paintOrder == kPlaceBelow ? i + 1 : i),
                    std::move(copy));
    return kSPNoError;
}
AIErr disposeArt(AIArtHandle art) {
    FakeArt* a = artOf(art);
    if (!changeable(owningLayer(a))) return kLockedLayerError;
    auto& siblings = a->parent->children;
    siblings.erase(siblings.begin() + static_cast<long>(indexInParent(a)));
    return kSPNoError;
}
AIErr getArtTransformBounds(AIArtHandle art, AIRealMatrix* transform, std::int32_t flags,
                            AIRealRect* bounds) {
    EXPECT_EQ(transform, nullptr);
    host().boundsFlags.push_back(flags);
    const FakeArt* a = artOf(art);
    Box box;
    boundsOf(*a, flags, box);
    if ((flags & 32) && a->strokePaint) {
        box.left -= a->strokeWidth / 2, box.right += a->strokeWidth / 2;
        box.bottom -= a->strokeWidth / 2, box.top += a->strokeWidth / 2;
    }
    *bounds = {box.left, box.top, box.right, box.bottom};
    return kSPNoError;
}
AIBoolean artHasFill(AIArtHandle art) { return artOf(art)->fillPaint; }
AIBoolean artHasStroke(AIArtHandle art) { return artOf(art)->strokePaint; }

// ---- layers ---------------------------------------------------------------------------------------

AIErr getFirstLayer(AILayerHandle* first) {
    *first = host().layers.empty() ? nullptr : handleOf(host().layers.front().get());
    return kSPNoError;
}
AIErr getNextLayer(AILayerHandle previous, AILayerHandle* next) {
    auto& ls = host().layers;
    *next = nullptr;
    for (std::size_t i = 0; i + 1 < ls.size(); ++i)
        if (ls[i].get() == layerOf(previous)) *next = handleOf(ls[i + 1].get());
    return kSPNoError;
}
AIErr getLayerVisible(AILayerHandle layer, AIBoolean* visible) {
    *visible = layerOf(layer)->visible;
    return kSPNoError;
}
AIErr getLayerTitle(AILayerHandle layer, AIUnicodeString& title) {
    title.impl = new std::string(layerOf(layer)->title);
    host().stringsHeld += 1;
    return kSPNoError;
}
AIErr setLayerTitle(AILayerHandle layer, const AIUnicodeString& title) {
    layerOf(layer)->title = *static_cast<std::string*>(title.impl);
    return kSPNoError;
}
AIErr getLayerEditable(AILayerHandle layer, AIBoolean* editable) {
    *editable = layerOf(layer)->editable;
    return kSPNoError;
}
AIErr setLayerEditable(AILayerHandle layer, AIBoolean editable) {
    layerOf(layer)->editable = editable;
    return kSPNoError;
}
AIErr setCurrentLayer(AILayerHandle layer) {
    host().current = layerOf(layer);
    return kSPNoError;
}
AIErr insertLayer(AILayerHandle layer, short paintOrder, AILayerHandle* newLayer) {
    EXPECT_EQ(layer, nullptr);
    auto l = std::make_unique<FakeLayer>();
    *newLayer = handleOf(l.get());
    if (paintOrder == kPlaceBelowAll)
        host().layers.push_back(std::move(l));
    else if (paintOrder == kPlaceAboveAll)
        host().layers.insert(host().layers.begin(), std::move(l));
    else
        return kSPSuiteNotFoundError;
    return kSPNoError;
}
AIErr deleteLayer(AILayerHandle layer) {
    auto& ls = host().layers;
    for (auto it = ls.begin(); it != ls.end(); ++it)
        if (it->get() == layerOf(layer)) {
            if (host().current == it->get()) host().current = nullptr;
            ls.erase(it);
            return kSPNoError;
        }
    return kSPSuiteNotFoundError;
}

// ---- paths, text, document, style, swatches, shapes ---------------------------------------------

AIErr getPathSegmentCount(AIArtHandle path, short* count) {
    if (artOf(path)->type != kPathArt) return kSPSuiteNotFoundError;
    *count = static_cast<short>(artOf(path)->segments.size());
    return kSPNoError;
}
AIErr getPathSegments(AIArtHandle path, short segNumber, short count, AIPathSegment* segments) {
    const auto& segs = artOf(path)->segments;
    if (segNumber < 0 || count < 0 || static_cast<std::size_t>(segNumber + count) > segs.size())
        return kSPSuiteNotFoundError;
    std::copy(segs.begin() + segNumber, segs.begin() + segNumber + count, segments);
    return kSPNoError;
}
AIErr getPathClosed(AIArtHandle path, AIBoolean* closed) {
    *closed = artOf(path)->closed;
    return kSPNoError;
}
AIErr getPathSegmentSelected(AIArtHandle path, short, short* selected) {
    *selected = artOf(path)->selected ? 1 : 0;
    return kSPNoError;
}
AIErr pathHasLength(AIArtHandle path, AIBoolean* hasLength) {
    const auto& segs = artOf(path)->segments;
    *hasLength = false;
    if (segs.size() < 2) return kSPNoError;
    const AIRealPoint f = segs.front().p;
    for (const AIPathSegment& s : segs)
        for (const AIRealPoint& q : {s.p, s.in, s.out})
            if (q.h != f.h || q.v != f.v) *hasLength = true;
    return kSPNoError;
}

AIErr createOutline(AIArtHandle textFrame, AIArtHandle* outline) {
    FakeArt* frame = artOf(textFrame);
    if (frame->type != kTextFrameArt) return kSPSuiteNotFoundError;
    if (!changeable(owningLayer(frame))) return kLockedLayerError;
    auto group = std::make_unique<FakeArt>();
    group->type = kGroupArt;
    group->parent = frame->parent;
    for (const auto& glyph : frame->glyphs) {
        auto makePath = [&](const std::vector<AIPathSegment>& contour, FakeArt* parent) {
            auto p = std::make_unique<FakeArt>();
            p->type = kPathArt;
            p->parent = parent;
            p->segments = contour;
            p->closed = true;
            p->fillPaint = frame->fillPaint;
            p->fill = frame->fill;
            return p;
        };
        if (glyph.size() == 1) {
            group->children.push_back(makePath(glyph[0], group.get()));
        } else {
            auto compound = std::make_unique<FakeArt>();
            compound->type = kCompoundPathArt;
            compound->parent = group.get();
            compound->fillPaint = frame->fillPaint;
            compound->fill = frame->fill;
            for (const auto& contour : glyph) compound->children.push_back(makePath(contour, compound.get()));
            group->children.push_back(std::move(compound));
        }
    }
    *outline = handleOf(group.get());
    auto& siblings = frame->parent->children;
    siblings.insert(siblings.begin() + static_cast<long>(indexInParent(frame)), std::move(group));
    return kSPNoError;
}

AIErr getDocumentPageRect(AIRealRect* page) {
    if (SPErr e = failureOf("GetDocumentPageRect")) return e;
    *page = host().page;
    return kSPNoError;
}
AIErr getDocumentColorModel(short* model) {
    *model = host().colorModel;
    return kSPNoError;
}

AIErr getPathStyle(AIArtHandle art, AIPathStyle* style) {
    const FakeArt* a = artOf(art);
    *style = AIPathStyle{};
    style->fillPaint = a->fillPaint;
    style->strokePaint = a->strokePaint;
    style->fill.color = a->fill;
    style->stroke.width = a->strokeWidth;
    return kSPNoError;
}
AIErr setPathStyle(AIArtHandle art, const AIPathStyle* style) {
    FakeArt* a = artOf(art);
    if (!changeable(owningLayer(a))) return kLockedLayerError;
    a->fillPaint = style->fillPaint;
    a->strokePaint = style->strokePaint;
    a->fill = style->fill.color;
    return kSPNoError;
}

bool sameColour(const AIColor& a, const AIColor& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
        case kGrayColor:
            return a.c.g.gray == b.c.g.gray;
        case kFourColor:
            return a.c.f.cyan == b.c.f.cyan && a.c.f.magenta == b.c.f.magenta &&
                   a.c.f.yellow == b.c.f.yellow && a.c.f.black == b.c.f.black;
        case kThreeColor:
            return a.c.rgb.red == b.c.rgb.red && a.c.rgb.green == b.c.rgb.green &&
                   a.c.rgb.blue == b.c.rgb.blue;
        default:
            return true;
    }
}
AIErr getSwatchList(AIDocumentHandle document, AISwatchListRef* list) {
    EXPECT_EQ(document, nullptr);
    *list = reinterpret_cast<AISwatchListRef>(&host().swatches);
    return kSPNoError;
}
AISwatchRef getSwatchByColor(AISwatchListRef, const AIColor* color) {
    auto& sw = host().swatches;
    for (std::size_t i = 0; i < sw.size(); ++i)
        if (sameColour(sw[i].first, *color)) return reinterpret_cast<AISwatchRef>(i + 1);
    return nullptr;
}
AIErr getSwatchName(AISwatchRef swatch, AIUnicodeString& name) {
    name.impl = new std::string(host().swatches[reinterpret_cast<std::size_t>(swatch) - 1].second);
    host().stringsHeld += 1;
    return kSPNoError;
}

AIErr newRect(AIReal top, AIReal left, AIReal bottom, AIReal right, AIBoolean reversed, AIArtHandle* newArt) {
    EXPECT_FALSE(reversed);
    if (SPErr e = failureOf("NewRect")) return e;
    FakeLayer* layer = host().current;
    if (!changeable(layer)) return kLockedLayerError;
    auto a = std::make_unique<FakeArt>();
    a->type = kPathArt;
    a->parent = &layer->group;
    a->segments = rectangleAnchors(left, bottom, right, top);
    a->closed = true;
    a->fillPaint = true;
    a->fill.kind = host().newArtColourKind;
    *newArt = handleOf(a.get());
    // New art goes on top of the layer.
    layer->group.children.insert(layer->group.children.begin(), std::move(a));
    return kSPNoError;
}

// ---- menus, runtime, strings, ADM -----------------------------------------------------------------

AIErr addMenuItem(SPPluginRef self, const char* key, AIPlatformAddMenuItemData* data, std::int32_t,
                  AIMenuItemHandle* item) {
    EXPECT_EQ(self, host().self);
    if (SPErr e = failureOf("AddMenuItem")) return e;
    FakeMenuItem m;
    m.key = key;
    m.group = data->groupName;
    m.text = std::string(reinterpret_cast<const char*>(data->itemText + 1), data->itemText[0]);
    host().menuItems.push_back(m);
    *item = reinterpret_cast<AIMenuItemHandle>(host().menuItems.size());
    return kSPNoError;
}
AIErr addMenuGroupAsSubMenu(const char* name, std::int32_t, AIMenuItemHandle item, AIMenuGroup* group) {
    EXPECT_NE(item, nullptr);
    host().menuGroups.push_back(name);
    *group = reinterpret_cast<AIMenuGroup>(host().menuGroups.size());
    return kSPNoError;
}
AIErr getItemText(AIMenuItemHandle item, unsigned char* text) {
    const std::string& t = host().menuItems.at(reinterpret_cast<std::size_t>(item) - 1).text;
    text[0] = static_cast<unsigned char>(t.size());
    std::memcpy(text + 1, t.data(), t.size());
    return kSPNoError;
}
AIErr updateMenuItemAutomatically(AIMenuItemHandle item, std::int32_t action, std::int32_t a, std::int32_t b,
                                  std::int32_t c, std::int32_t d, std::int32_t e, std::int32_t f) {
    host().menuItems.at(reinterpret_cast<std::size_t>(item) - 1).autoUpdate = {action, a, b, c, d, e, f};
    return kSPNoError;
}

AIErr getAppMajorVersion(std::int32_t* major) {
    *major = host().majorVersion;
    return kSPNoError;
}
AIErr getAppMinorVersion(std::int32_t* minor) {
    *minor = host().minorVersion;
    return kSPNoError;
}

AIErr initializeString(AIUnicodeString& str, const char* text, std::size_t length, AICharacterEncoding) {
    str.impl = new std::string(text, length);
    host().stringsHeld += 1;
    return kSPNoError;
}
void destroyString(AIUnicodeString& str) {
    delete static_cast<std::string*>(str.impl);
    str.impl = nullptr;
    host().stringsHeld -= 1;
}
std::size_t getStringAs(const AIUnicodeString& str, AICharacterEncoding, char* buffer, std::size_t max) {
    const std::string& s = *static_cast<const std::string*>(str.impl);
    if (buffer) std::memcpy(buffer, s.data(), std::min(max, s.size()));
    return s.size();
}

void errorAlert(const char* text) { host().alerts.push_back(text); }
void getIndexString(SPPluginRef self, std::int32_t list, std::int32_t index, char* buffer, std::int32_t max) {
    EXPECT_EQ(self, host().self);
    auto it = host().strings.find(list + index);
    const std::string s = it == host().strings.end() ? std::string() : it->second;
    const std::size_t n = std::min<std::size_t>(s.size(), static_cast<std::size_t>(max - 1));
    std::memcpy(buffer, s.data(), n);
    buffer[n] = '\0';
}

std::int32_t modal(SPPluginRef self, const char* name, std::int32_t id, std::int32_t, ADMDialogInitProc init,
                   void*, std::int32_t) {
    EXPECT_EQ(self, host().self);
    host().modals.push_back({name, id, ""});
    if (init) init(reinterpret_cast<ADMDialogRef>(&host().modals.back()));
    return 1;
}
ADMItemRef getItem(ADMDialogRef dialog, std::int32_t itemId) {
    return itemId > 0 ? reinterpret_cast<ADMItemRef>(dialog) : nullptr;
}
void setItemText(ADMItemRef item, const char* text) { reinterpret_cast<FakeModal*>(item)->text = text; }

// ---- the tables ---------------------------------------------------------------------------------

const SPBlocksSuite kBlocks{allocateBlock, freeBlock};
const AIArtSuite kArt{getFirstArtOfLayer,    getArtType,   getArtFirstChild,
                      getArtSibling,         duplicateArt, disposeArt,
                      getArtTransformBounds, artHasFill,   artHasStroke};
const AILayerSuite kLayer{getFirstLayer,    getNextLayer,     getLayerVisible, getLayerTitle, setLayerTitle,
                          getLayerEditable, setLayerEditable, setCurrentLayer, insertLayer,   deleteLayer};
const AIPathSuite kPath{getPathSegmentCount, getPathSegments, getPathClosed, getPathSegmentSelected,
                        pathHasLength};
const AITextFrameSuite kTextFrame{createOutline};
const AIDocumentSuite kDocument{getDocumentPageRect, getDocumentColorModel};
const AIPathStyleSuite kPathStyle{getPathStyle, setPathStyle};
const AISwatchListSuite kSwatchList{getSwatchList, getSwatchByColor, getSwatchName};
const AIShapeConstructionSuite kShapes{newRect};
const AIMenuSuite kMenu{addMenuItem, addMenuGroupAsSubMenu, getItemText, updateMenuItemAutomatically};
const AIRuntimeSuite kRuntime{getAppMajorVersion, getAppMinorVersion};
const AIUnicodeStringSuite kUnicode{initializeString, destroyString, getStringAs};
const ADMBasicSuite kAdmBasic{errorAlert, getIndexString};
const ADMDialogSuite kAdmDialog{modal, getItem};
const ADMItemSuite kAdmItem{setItemText};
const int kOpaqueSuite = 0;  // the suites the plug-in acquires and never calls

const void* suiteByName(const std::string& name, std::int32_t version) {
    static const std::map<std::string, std::pair<std::int32_t, const void*>> kSuites = {
        {"SP Blocks Suite", {2, &kBlocks}},
        {"SP Access Suite", {3, &kOpaqueSuite}},
        {"AI MdMemory Suite", {1, &kOpaqueSuite}},
        {"AI Fixed Math Suite", {2, &kOpaqueSuite}},
        {"AI Art Suite", {12, &kArt}},
        {"AI Layer Suite", {11, &kLayer}},
        {"AI Path Suite", {6, &kPath}},
        {"AI Text Frame Suite", {1, &kTextFrame}},
        {"AI Document Suite", {9, &kDocument}},
        {"AI Path Style Suite", {8, &kPathStyle}},
        {"AI Swatch List Suite", {5, &kSwatchList}},
        {"AI Shape Construction Suite", {4, &kShapes}},
        {"AI User Suite", {6, &kOpaqueSuite}},
        {"AI Menu Suite", {7, &kMenu}},
        {"AI Runtime Suite", {8, &kRuntime}},
        {"ADM Basic Suite", {2, &kAdmBasic}},
        {"ADM Dialog Suite", {5, &kAdmDialog}},
        {"ADM Item Suite", {7, &kAdmItem}},
        {"ADM Icon Suite", {1, &kOpaqueSuite}},
        {"AI Unicode String Suite", {5, &kUnicode}},
    };
    auto it = kSuites.find(name);
    if (it == kSuites.end() || it->second.first != version) return nullptr;
    return it->second.second;
}

// The string table of the plug-in's resource script: lines `ID, L"text"` (UTF-8, with \" and \\).
std::map<std::int32_t, std::string> resourceStrings() {
    std::ifstream in(std::string(SARTOVIN_SOURCE_DIR) + "/src/aiplugin/win/SartovinCS2.rc");
    std::map<std::int32_t, std::string> strings;
    static const std::regex line(R"re(^\s*(\d+)\s*,\s*L?"((?:[^"\\]|\\.)*)")re");
        std::string text;
    bool inTable = false;
    while (std::getline(in, text)) {
        if (text.rfind("STRINGTABLE", 0) == 0) inTable = true;
        if (!inTable) continue;
        if (text.rfind("END", 0) == 0) inTable = false;
        std::smatch m;
        if (!std::regex_search(text, m, line)) continue;
        std::string raw = m[2].str(), value;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
            value += raw[i];
        }
        strings[std::stoi(m[1].str())] = value;
    }
    return strings;
}

}  // namespace

AIPathSegment corner(AIReal x, AIReal y) { return {{x, y}, {x, y}, {x, y}, true}; }

AIPathSegment smooth(AIReal x, AIReal y, AIReal inX, AIReal inY, AIReal outX, AIReal outY) {
    return {{x, y}, {inX, inY}, {outX, outY}, false};
}

std::vector<AIPathSegment> rectangleAnchors(AIReal left, AIReal bottom, AIReal right, AIReal top) {
    return {corner(left, bottom), corner(right, bottom), corner(right, top), corner(left, top)};
}

AIColor rgb(AIReal r, AIReal g, AIReal b) {
    AIColor c{};
    c.kind = kThreeColor;
    c.c.rgb = {r, g, b};
    return c;
}
AIColor cmyk(AIReal c_, AIReal m, AIReal y, AIReal k) {
    AIColor c{};
    c.kind = kFourColor;
    c.c.f = {c_, m, y, k};
    return c;
}
AIColor grey(AIReal g) {
    AIColor c{};
    c.kind = kGrayColor;
    c.c.g.gray = g;
    return c;
}

FakeIllustrator::FakeIllustrator() {
    EXPECT_EQ(g_host, nullptr) << "one host at a time";
    g_host = this;
    basic.AcquireSuite = acquireSuite;
    basic.ReleaseSuite = releaseSuite;
    basic.IsEqual = isEqual;
    strings = resourceStrings();
}

FakeIllustrator::~FakeIllustrator() { g_host = nullptr; }

FakeLayer& FakeIllustrator::addLayer(const std::string& title, bool visible, bool editable) {
    auto l = std::make_unique<FakeLayer>();
    l->title = title;
    l->visible = visible;
    l->editable = editable;
    layers.push_back(std::move(l));
    return *layers.back();
}

FakeArt& FakeIllustrator::addPath(FakeArt& parent, std::vector<AIPathSegment> anchors, bool closed,
                                  bool filled, AIColor colour) {
    auto a = std::make_unique<FakeArt>();
    a->type = kPathArt;
    a->parent = &parent;
    a->segments = std::move(anchors);
    a->closed = closed;
    a->fillPaint = filled;
    a->fill = colour;
    parent.children.push_back(std::move(a));
    return *parent.children.back();
}

FakeArt& FakeIllustrator::addGroup(FakeArt& parent, short type) { return addOther(parent, type); }

FakeArt& FakeIllustrator::addTextFrame(FakeArt& parent,
                                       std::vector<std::vector<std::vector<AIPathSegment>>> glyphs,
                                       AIColor colour) {
    FakeArt& frame = addOther(parent, kTextFrameArt);
    frame.glyphs = std::move(glyphs);
    frame.fillPaint = true;
    frame.fill = colour;
    return frame;
}

FakeArt& FakeIllustrator::addOther(FakeArt& parent, short type) {
    auto a = std::make_unique<FakeArt>();
    a->type = type;
    a->parent = &parent;
    parent.children.push_back(std::move(a));
    return *parent.children.back();
}

int FakeIllustrator::artCount() const {
    int n = 0;
    for (const auto& l : layers) n += countArt(l->group);
    return n;
}

FakeLayer* FakeIllustrator::layerTitled(const std::string& title) {
    for (auto& l : layers)
        if (l->title == title) return l.get();
    return nullptr;
}

SPErr FakeIllustrator::send(const char* caller, const char* selector, int menuItem) {
    AIMenuMessage message{};
    message.d.SPCheck = kSPValidSPMessageData;
    message.d.self = self;
    message.d.basic = &basic;
    message.d.globals = pluginData;
    message.menuItem = menuItem < 0 ? nullptr : reinterpret_cast<AIMenuItemHandle>(menuItem + 1);
    std::string c = caller, s = selector;
    const SPErr result = PluginMain(c.data(), s.data(), &message);
    pluginData = message.d.globals;
    return result;
}

SPErr FakeIllustrator::choose(const std::string& text) {
    for (std::size_t i = 0; i < menuItems.size(); ++i)
        if (menuItems[i].text == text && menuItems[i].group != "Export Document")
            return send(kCallerAIMenu, kSelectorAIGoMenuItem, static_cast<int>(i));
    ADD_FAILURE() << "no menu item \"" << text << "\"";
    return kSPNoError;
}

std::vector<std::string> FakeIllustrator::itemsOf(const std::string& group) const {
    std::vector<std::string> texts;
    for (const FakeMenuItem& m : menuItems)
        if (m.group == group) texts.push_back(m.text);
    return texts;
}

}  // namespace sartovin::test
