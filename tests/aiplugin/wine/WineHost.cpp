// A small host for the Wine test of SartovinCS2.aip: it registers the installation the plug-in
// looks for, loads the DLL, offers the suites of aiplugin/PluginSdk.h over a document of one layer
// with one rectangle, and sends Startup, About, "AI Go" for every command of the submenu, and
// Shutdown. What it sees goes to standard output, one fact a line, for the test to check.
//
// Usage: sartovin-plugin-host DLL PROGRAM-FOLDER

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aiplugin/PluginSdk.h"

namespace {

const SPErr kNotHere = sartovin::sdk::fourCharCode("NOTX");  // what this host does not offer
const SPErr kLocked = sartovin::sdk::fourCharCode("SEGM");

// ---- the document ----------------------------------------------------------------------------------

struct Art {
    short type = kPathArt;
    Art* parent = nullptr;
    std::vector<std::unique_ptr<Art>> children;
    std::vector<AIPathSegment> segments;
    AIColor fill{};
};

struct Layer {
    std::string title;
    bool editable = true;
    Art group;
};

std::vector<std::unique_ptr<Layer>> g_layers;
Layer* g_current = nullptr;
HMODULE g_plugin = nullptr;
std::vector<std::pair<std::string, std::string>> g_menu;  // group, text
int g_blocks = 0;
std::map<std::string, int> g_held;

std::string utf8(const wchar_t* w, int n) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, w, n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, n, out.data(), size, nullptr, nullptr);
    return out;
}

std::vector<AIPathSegment> rectangle(AIReal left, AIReal bottom, AIReal right, AIReal top) {
    auto c = [](AIReal x, AIReal y) { return AIPathSegment{{x, y}, {x, y}, {x, y}, true}; };
    return {c(left, bottom), c(right, bottom), c(right, top), c(left, top)};
}

Art* art(AIArtHandle h) { return reinterpret_cast<Art*>(h); }
AIArtHandle handle(Art* a) { return reinterpret_cast<AIArtHandle>(a); }
Layer* layer(AILayerHandle h) { return reinterpret_cast<Layer*>(h); }
AILayerHandle handle(Layer* l) { return reinterpret_cast<AILayerHandle>(l); }

// ---- suites ----------------------------------------------------------------------------------------

SPErr allocateBlock(std::size_t size, const char* name, void** block) {
    *block = std::calloc(1, size);
    std::printf("block %s %u\n", name, static_cast<unsigned>(size));
    ++g_blocks;
    return 0;
}
SPErr freeBlock(void* block) {
    std::free(block);
    --g_blocks;
    return 0;
}

AIErr firstArtOfLayer(AILayerHandle l, AIArtHandle* a) {
    *a = handle(&layer(l)->group);
    return 0;
}
AIErr artType(AIArtHandle a, short* t) {
    *t = art(a)->type;
    return 0;
}
AIErr firstChild(AIArtHandle a, AIArtHandle* c) {
    *c = art(a)->children.empty() ? nullptr : handle(art(a)->children.front().get());
    return 0;
}
AIErr sibling(AIArtHandle a, AIArtHandle* s) {
    *s = nullptr;
    Art* p = art(a)->parent;
    for (std::size_t i = 0; p && i + 1 < p->children.size(); ++i)
        if (p->children[i].get() == art(a)) *s = handle(p->children[i + 1].get());
    return 0;
}
AIErr duplicateArt(AIArtHandle, short, AIArtHandle, AIArtHandle*) { return kNotHere; }
AIErr disposeArt(AIArtHandle) { return kNotHere; }
AIErr bounds(AIArtHandle a, AIRealMatrix*, std::int32_t, AIRealRect* r) {
    bool any = false;
    std::vector<Art*> todo{art(a)};
    while (!todo.empty()) {
        Art* x = todo.back();
        todo.pop_back();
        for (auto& c : x->children) todo.push_back(c.get());
        for (const AIPathSegment& s : x->segments) {
            if (!any) *r = {s.p.h, s.p.v, s.p.h, s.p.v};
            any = true;
            r->left = std::min(r->left, s.p.h), r->right = std::max(r->right, s.p.h);
            r->bottom = std::min(r->bottom, s.p.v), r->top = std::max(r->top, s.p.v);
        }
    }
    return 0;
}
AIBoolean hasFill(AIArtHandle) { return true; }
AIBoolean hasStroke(AIArtHandle) { return false; }

AIErr firstLayer(AILayerHandle* l) {
    *l = g_layers.empty() ? nullptr : handle(g_layers.front().get());
    return 0;
}
AIErr nextLayer(AILayerHandle p, AILayerHandle* n) {
    *n = nullptr;
    for (std::size_t i = 0; i + 1 < g_layers.size(); ++i)
        if (g_layers[i].get() == layer(p)) *n = handle(g_layers[i + 1].get());
    return 0;
}
AIErr layerVisible(AILayerHandle, AIBoolean* v) {
    *v = true;
    return 0;
}
AIErr layerTitle(AILayerHandle l, AIUnicodeString& s) {
    s.impl = new std::string(layer(l)->title);
    return 0;
}
AIErr setLayerTitle(AILayerHandle l, const AIUnicodeString& s) {
    layer(l)->title = *static_cast<std::string*>(s.impl);
    return 0;
}
AIErr layerEditable(AILayerHandle l, AIBoolean* e) {
    *e = layer(l)->editable;
    return 0;
}
AIErr setLayerEditable(AILayerHandle l, AIBoolean e) {
    layer(l)->editable = e;
    return 0;
}
AIErr setCurrentLayer(AILayerHandle l) {
    g_current = layer(l);
    return 0;
}
AIErr insertLayer(AILayerHandle, short, AILayerHandle* n) {
    g_layers.push_back(std::make_unique<Layer>());
    *n = handle(g_layers.back().get());
    return 0;
}
AIErr deleteLayer(AILayerHandle l) {
    for (auto it = g_layers.begin(); it != g_layers.end(); ++it)
        if (it->get() == layer(l)) {
            g_layers.erase(it);
            return 0;
        }
    return kNotHere;
}

AIErr segmentCount(AIArtHandle a, short* n) {
    *n = static_cast<short>(art(a)->segments.size());
    return 0;
}
AIErr segments(AIArtHandle a, short first, short n, AIPathSegment* out) {
    std::memcpy(out, art(a)->segments.data() + first, sizeof(AIPathSegment) * static_cast<std::size_t>(n));
    return 0;
}
AIErr closed(AIArtHandle, AIBoolean* c) {
    *c = true;
    return 0;
}
AIErr segmentSelected(AIArtHandle, short, short* s) {
    *s = 0;
    return 0;
}
AIErr hasLength(AIArtHandle a, AIBoolean* l) {
    *l = art(a)->segments.size() > 1;
    return 0;
}
AIErr createOutline(AIArtHandle, AIArtHandle*) { return kNotHere; }
AIErr pageRect(AIRealRect* r) {
    *r = {0, 841.89f, 595.28f, 0};
    return 0;
}
AIErr colorModel(short* m) {
    *m = kDocCMYKColor;
    return 0;
}
AIErr getStyle(AIArtHandle a, AIPathStyle* s) {
    *s = AIPathStyle{};
    s->fillPaint = true;
    s->fill.color = art(a)->fill;
    return 0;
}
AIErr setStyle(AIArtHandle a, const AIPathStyle* s) {
    art(a)->fill = s->fill.color;
    return 0;
}
AIErr swatchList(AIDocumentHandle, AISwatchListRef* l) {
    *l = nullptr;
    return 0;
}
AISwatchRef swatchByColor(AISwatchListRef, const AIColor*) { return nullptr; }
AIErr swatchName(AISwatchRef, AIUnicodeString&) { return kNotHere; }
AIErr newRect(AIReal top, AIReal left, AIReal bottom, AIReal right, AIBoolean, AIArtHandle* out) {
    if (!g_current || !g_current->editable) return kLocked;
    auto a = std::make_unique<Art>();
    a->parent = &g_current->group;
    a->segments = rectangle(left, bottom, right, top);
    a->fill.kind = kFourColor;
    *out = handle(a.get());
    g_current->group.children.insert(g_current->group.children.begin(), std::move(a));
    return 0;
}

AIErr addMenuItem(SPPluginRef, const char*, AIPlatformAddMenuItemData* data, std::int32_t,
                  AIMenuItemHandle* item) {
    const std::string text(reinterpret_cast<const char*>(data->itemText + 1), data->itemText[0]);
    g_menu.push_back({data->groupName, text});
    std::printf("menu %s: %s\n", data->groupName, text.c_str());
    *item = reinterpret_cast<AIMenuItemHandle>(g_menu.size());
    return 0;
}
AIErr addSubMenu(const char* name, std::int32_t, AIMenuItemHandle, AIMenuGroup* group) {
    std::printf("submenu %s\n", name);
    *group = reinterpret_cast<AIMenuGroup>(1);
    return 0;
}
AIErr itemText(AIMenuItemHandle item, unsigned char* text) {
    const std::string& t = g_menu.at(reinterpret_cast<std::size_t>(item) - 1).second;
    text[0] = static_cast<unsigned char>(t.size());
    std::memcpy(text + 1, t.data(), t.size());
    return 0;
}
AIErr autoUpdate(AIMenuItemHandle, std::int32_t action, std::int32_t condition, std::int32_t, std::int32_t,
                 std::int32_t, std::int32_t flags, std::int32_t) {
    std::printf("auto %d %d 0x%x\n", static_cast<int>(action), static_cast<int>(condition),
                static_cast<unsigned>(flags));
    return 0;
}
AIErr major(std::int32_t* v) {
    *v = 12;
    return 0;
}
AIErr minor(std::int32_t* v) {
    *v = 0;
    return 0;
}
AIErr initString(AIUnicodeString& s, const char* text, std::size_t n, AICharacterEncoding) {
    s.impl = new std::string(text, n);
    return 0;
}
void destroyString(AIUnicodeString& s) { delete static_cast<std::string*>(s.impl); }
std::size_t stringAs(const AIUnicodeString& s, AICharacterEncoding, char* buffer, std::size_t max) {
    const std::string& t = *static_cast<const std::string*>(s.impl);
    if (buffer) std::memcpy(buffer, t.data(), std::min(max, t.size()));
    return t.size();
}
void errorAlert(const char* text) { std::printf("alert %s\n", text); }
// String list N entry I is string N + I of the plug-in's string table.
void indexString(SPPluginRef, std::int32_t list, std::int32_t index, char* buffer, std::int32_t max) {
    const wchar_t* text = nullptr;
    const int n = LoadStringW(g_plugin, static_cast<UINT>(list + index), reinterpret_cast<LPWSTR>(&text), 0);
    std::string s = n > 0 ? utf8(text, n) : std::string();
    if (s.size() >= static_cast<std::size_t>(max)) s.resize(static_cast<std::size_t>(max) - 1);
    std::memcpy(buffer, s.c_str(), s.size() + 1);
}
std::int32_t modal(SPPluginRef, const char* name, std::int32_t id, std::int32_t, ADMDialogInitProc init,
                   void*, std::int32_t) {
    std::printf("modal %s %d\n", name, static_cast<int>(id));
    if (init) init(reinterpret_cast<ADMDialogRef>(1));
    return 1;
}
ADMItemRef dialogItem(ADMDialogRef, std::int32_t id) {
    return reinterpret_cast<ADMItemRef>(static_cast<intptr_t>(id));
}
void setItemText(ADMItemRef, const char* text) { std::printf("dialog text %s\n", text); }

const SPBlocksSuite kBlocks{allocateBlock, freeBlock};
const AIArtSuite kArt{firstArtOfLayer, artType, firstChild, sibling,  duplicateArt,
                      disposeArt,      bounds,  hasFill,    hasStroke};
const AILayerSuite kLayer{firstLayer,    nextLayer,        layerVisible,    layerTitle,  setLayerTitle,
                          layerEditable, setLayerEditable, setCurrentLayer, insertLayer, deleteLayer};
const AIPathSuite kPath{segmentCount, segments, closed, segmentSelected, hasLength};
const AITextFrameSuite kText{createOutline};
const AIDocumentSuite kDocument{pageRect, colorModel};
const AIPathStyleSuite kStyle{getStyle, setStyle};
const AISwatchListSuite kSwatches{swatchList, swatchByColor, swatchName};
const AIShapeConstructionSuite kShapes{newRect};
const AIMenuSuite kMenu{addMenuItem, addSubMenu, itemText, autoUpdate};
const AIRuntimeSuite kRuntime{major, minor};
const AIUnicodeStringSuite kStrings{initString, destroyString, stringAs};
const ADMBasicSuite kAdmBasic{errorAlert, indexString};
const ADMDialogSuite kAdmDialog{modal, dialogItem};
const ADMItemSuite kAdmItem{setItemText};
const int kOpaque = 0;

SPErr acquireSuite(const char* name, std::int32_t version, const void** suite) {
    static const std::map<std::string, std::pair<std::int32_t, const void*>> suites = {
        {"SP Blocks Suite", {2, &kBlocks}},
        {"SP Access Suite", {3, &kOpaque}},
        {"AI MdMemory Suite", {1, &kOpaque}},
        {"AI Fixed Math Suite", {2, &kOpaque}},
        {"AI Art Suite", {12, &kArt}},
        {"AI Layer Suite", {11, &kLayer}},
        {"AI Path Suite", {6, &kPath}},
        {"AI Text Frame Suite", {1, &kText}},
        {"AI Document Suite", {9, &kDocument}},
        {"AI Path Style Suite", {8, &kStyle}},
        {"AI Swatch List Suite", {5, &kSwatches}},
        {"AI Shape Construction Suite", {4, &kShapes}},
        {"AI User Suite", {6, &kOpaque}},
        {"AI Menu Suite", {7, &kMenu}},
        {"AI Runtime Suite", {8, &kRuntime}},
        {"ADM Basic Suite", {2, &kAdmBasic}},
        {"ADM Dialog Suite", {5, &kAdmDialog}},
        {"ADM Item Suite", {7, &kAdmItem}},
        {"ADM Icon Suite", {1, &kOpaque}},
        {"AI Unicode String Suite", {5, &kStrings}},
    };
    auto it = suites.find(name);
    if (it == suites.end() || it->second.first != version) return kSPSuiteNotFoundError;
    *suite = it->second.second;
    ++g_held[name];
    return 0;
}
SPErr releaseSuite(const char* name, std::int32_t) {
    --g_held[name];
    return 0;
}
AIBoolean isEqual(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

SPBasicSuite g_basic{acquireSuite, releaseSuite, isEqual};

void setRegistry(const wchar_t* key, const std::wstring& folder) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(h, L"InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: sartovin-plugin-host DLL PROGRAM-FOLDER\n");
        return 2;
    }
    // Plain line feeds, written at once: the test reads the lines as they come.
    _setmode(_fileno(stdout), _O_BINARY);
    setvbuf(stdout, nullptr, _IONBF, 0);
    // The installation as the plug-in looks for it.
    setRegistry(L"Software\\Sartovin", argv[2]);
    setRegistry(L"Software\\Sartovin-Hobbyplotter", argv[2]);

    g_plugin = LoadLibraryW(argv[1]);
    if (!g_plugin) {
        std::printf("load failed %lu\n", GetLastError());
        return 1;
    }
    auto main =
        reinterpret_cast<SPPluginMainProc>(reinterpret_cast<void*>(GetProcAddress(g_plugin, "PluginMain")));
    if (!main) {
        std::printf("no PluginMain\n");
        return 1;
    }
    auto& l = *g_layers.emplace_back(std::make_unique<Layer>());
    l.title = "Ebene 1";
    auto r = std::make_unique<Art>();
    r->parent = &l.group;
    // 10, 20 to 40, 35 mm.
    r->segments = rectangle(28.34645f, 56.6929f, 113.3858f, 99.2126f);
    r->fill.kind = kThreeColor;
    r->fill.c.rgb = {1, 0, 0};
    l.group.children.push_back(std::move(r));

    AIMenuMessage message{};
    message.d.SPCheck = kSPValidSPMessageData;
    message.d.self = reinterpret_cast<SPPluginRef>(&g_plugin);
    message.d.basic = &g_basic;
    auto send = [&](const char* caller, const char* selector) {
        std::string c = caller, s = selector;
        const SPErr result = main(c.data(), s.data(), &message);
        std::printf("sent %s %s: %d\n", caller, selector, static_cast<int>(result));
    };

    send(kSPInterfaceCaller, kSPInterfaceStartupSelector);
    send(kSPInterfaceCaller, kSPInterfaceAboutSelector);
    for (std::size_t i = 0; i < g_menu.size(); ++i) {
        if (g_menu[i].first != "SDK Group") continue;
        message.menuItem = reinterpret_cast<AIMenuItemHandle>(i + 1);
        const DWORD start = GetTickCount();
        send(kCallerAIMenu, kSelectorAIGoMenuItem);
        std::printf("took %s: %lu ms\n", g_menu[i].second.c_str(), GetTickCount() - start);
    }
    for (const auto& layer : g_layers)
        std::printf("layer %s: %u objects%s\n", layer->title.c_str(),
                    static_cast<unsigned>(layer->group.children.size()), layer->editable ? "" : ", locked");
    send(kSPInterfaceCaller, kSPInterfaceShutdownSelector);
    int held = 0;
    for (const auto& [name, count] : g_held) held += count;
    std::printf("blocks held %d, suites held %d\n", g_blocks, held);
    FreeLibrary(g_plugin);
    return 0;
}
