#pragma once
// A host for the plug-in in the tests: a document (layers with visibility, lock and title; groups,
// compound paths, paths with corner and smooth anchors, text frames whose outlines are glyph
// paths; swatches, colour model, page), a menu, dialogs and alerts, all behind the suite tables of
// aiplugin/PluginSdk.h, and the messages that drive PluginMain one at a time. Strings of the
// plug-in's resources come from its resource script, as the DLL carries them.
//
// One host exists at a time (the suites are plain functions and find it through a global).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aiplugin/PluginSdk.h"

namespace sartovin::test {

/// The code the host answers a change to a locked or hidden layer with.
inline constexpr SPErr kLockedLayerError = sdk::fourCharCode("SEGM");

struct FakeArt {
    short type = kPathArt;
    FakeArt* parent = nullptr;
    std::vector<std::unique_ptr<FakeArt>> children;  ///< topmost first
    // Paths.
    std::vector<AIPathSegment> segments;
    bool closed = false;
    bool selected = false;
    // Paint (paths, compound paths, text frames).
    bool fillPaint = false;
    bool strokePaint = false;
    AIColor fill{};
    AIReal strokeWidth = 1;
    // Text frames: per glyph its contours; a glyph of several contours outlines to a compound path.
    std::vector<std::vector<std::vector<AIPathSegment>>> glyphs;
};

struct FakeLayer {
    std::string title;
    bool visible = true;
    bool editable = true;
    FakeArt group;  ///< the layer's art, as GetFirstArtOfLayer hands it out
    FakeLayer() { group.type = kGroupArt; }
};

struct FakeMenuItem {
    std::string key;
    std::string group;
    std::string text;
    std::vector<std::int32_t> autoUpdate;  ///< the arguments of UpdateMenuItemAutomatically after the item
};

struct FakeModal {
    std::string name;
    std::int32_t dialogId = 0;
    std::string text;  ///< what the plug-in set into the dialog's items
};

/// A corner anchor at (x, y) points.
AIPathSegment corner(AIReal x, AIReal y);
/// A smooth anchor with its handles.
AIPathSegment smooth(AIReal x, AIReal y, AIReal inX, AIReal inY, AIReal outX, AIReal outY);
/// The four corners of a rectangle, counter-clockwise from the lower left (points, y upwards).
std::vector<AIPathSegment> rectangleAnchors(AIReal left, AIReal bottom, AIReal right, AIReal top);

AIColor rgb(AIReal r, AIReal g, AIReal b);
AIColor cmyk(AIReal c, AIReal m, AIReal y, AIReal k);
AIColor grey(AIReal g);

class FakeIllustrator {
public:
    FakeIllustrator();
    ~FakeIllustrator();
    FakeIllustrator(const FakeIllustrator&) = delete;
    FakeIllustrator& operator=(const FakeIllustrator&) = delete;

    // ---- the document ----
    std::vector<std::unique_ptr<FakeLayer>> layers;  ///< topmost first
    AIRealRect page{0, 842, 595, 0};                 ///< A4 portrait
    short colorModel = kDocCMYKColor;
    std::vector<std::pair<AIColor, std::string>> swatches;
    FakeLayer* current = nullptr;
    /// The fill a new rectangle has before the plug-in sets one (its colour kind decides).
    AIColorTag newArtColourKind = kFourColor;

    FakeLayer& addLayer(const std::string& title, bool visible = true, bool editable = true);
    /// A path inside `parent` (a layer's group, a group or a compound path), painted last-added
    /// bottommost.
    FakeArt& addPath(FakeArt& parent, std::vector<AIPathSegment> anchors, bool closed, bool filled = true,
                     AIColor colour = rgb(0, 0, 0));
    FakeArt& addGroup(FakeArt& parent, short type = kGroupArt);
    FakeArt& addTextFrame(FakeArt& parent, std::vector<std::vector<std::vector<AIPathSegment>>> glyphs,
                          AIColor colour = rgb(0, 0, 0));
    FakeArt& addOther(FakeArt& parent, short type);

    /// Every art object of the document, layers' groups not counted.
    int artCount() const;
    FakeLayer* layerTitled(const std::string& title);

    // ---- the host ----
    std::int32_t majorVersion = 12;
    std::int32_t minorVersion = 0;
    std::vector<FakeMenuItem> menuItems;
    std::vector<std::string> menuGroups;  ///< submenu groups made
    std::vector<std::string> alerts;
    std::vector<FakeModal> modals;
    /// A suite the host does not offer (its acquisition fails with 'S!Fd').
    std::string missingSuite;
    /// Suites acquired and not yet released, by name.
    std::map<std::string, int> heldSuites;
    int acquisitions = 0;
    std::vector<std::string> blocksAllocated;  ///< debug names
    int blocksHeld = 0;
    int stringsHeld = 0;  ///< host strings not yet destroyed
    /// Host functions that fail, by member name ("GetDocumentPageRect", "AddMenuItem", "NewRect").
    std::map<std::string, SPErr> failures;
    /// Every GetArtTransformBounds flag value asked for.
    std::vector<std::int32_t> boundsFlags;
    /// The globals the host keeps for the plug-in over unload and reload.
    void* pluginData = nullptr;

    /// The plug-in's resource strings (list + index), read from its resource script.
    std::map<std::int32_t, std::string> strings;

    /// Sends one message; `menuItem` for the menu messages.
    SPErr send(const char* caller, const char* selector, int menuItem = -1);
    SPErr startup() { return send(kSPInterfaceCaller, kSPInterfaceStartupSelector); }
    SPErr shutdown() { return send(kSPInterfaceCaller, kSPInterfaceShutdownSelector); }
    /// "AI Go" for the menu item whose text is `text` (an item the host shows under that text).
    SPErr choose(const std::string& text);
    /// The texts of the items in `group`, in order.
    std::vector<std::string> itemsOf(const std::string& group) const;

    SPBasicSuite basic{};
    SPPluginRef self = reinterpret_cast<SPPluginRef>(this);
};

}  // namespace sartovin::test
