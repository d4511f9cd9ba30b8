#pragma once
// The host's plug-in interface, as far as SartovinCS2 uses it, written from the host's public
// plug-in documentation: the entry point's messages, the suites the plug-in acquires with their
// names and versions, and of each suite the members the plug-in calls, with the parameters the
// documentation gives them.
//
// This header is ours. The host's real function tables hold further members, in an order of the
// host's own; a table declared here lists only ours, so the layout below is the one our tests' host
// and our Wine host use. Before the plug-in is loaded into a real host, each table must be checked
// member by member against the host's headers (see README, "Illustrator plug-in").

#include <cstddef>
#include <cstdint>

namespace sartovin::sdk {

/// A four-character code as the host packs it ('S!Fd' → 0x53214664).
constexpr std::int32_t fourCharCode(const char (&code)[5]) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
                                     (static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
                                     (static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
                                     static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])));
}

}  // namespace sartovin::sdk

extern "C" {

// ---- basic types -------------------------------------------------------------------------------

typedef std::int32_t SPErr;  ///< 0 success, else an error number or a four-character code
typedef SPErr AIErr;
typedef unsigned char AIBoolean;
typedef float AIReal;  ///< the host's coordinates: points, y upwards

struct AIRealPoint {
    AIReal h;
    AIReal v;
};
struct AIRealRect {
    AIReal left, top, right, bottom;
};
struct AIRealMatrix {
    AIReal a, b, c, d, tx, ty;
};

typedef struct SPPluginOpaque* SPPluginRef;
typedef struct AIArtOpaque* AIArtHandle;
typedef struct AILayerOpaque* AILayerHandle;
typedef struct AIMenuItemOpaque* AIMenuItemHandle;
typedef struct AIMenuGroupOpaque* AIMenuGroup;
typedef struct AIDocumentOpaque* AIDocumentHandle;
typedef struct AISwatchListOpaque* AISwatchListRef;
typedef struct AISwatchOpaque* AISwatchRef;
typedef struct ADMDialogOpaque* ADMDialogRef;
typedef struct ADMItemOpaque* ADMItemRef;

/// A host string: created and read through the Unicode String suite; the host owns what `impl`
/// points to.
struct AIUnicodeString {
    void* impl;
};

/// Character encodings of the Unicode String suite.
enum AICharacterEncoding : std::int32_t {
    kAIPlatformCharacterEncoding = 0,  ///< the system's single-byte code page
    kAIUTF8CharacterEncoding = 2,
};

// ---- results -------------------------------------------------------------------------------------

enum : SPErr {
    kSPNoError = 0,
    kSPUnhandledResult = 1,              ///< "not handled": the host needs no report
    kSPSuiteNotFoundError = 0x53214664,  ///< 'S!Fd'
    kSPCancelResult = 0x53544F50,        ///< 'STOP': the user stopped; never reported
};

// ---- messages ------------------------------------------------------------------------------------

struct SPBasicSuite;

/// The part every message starts with.
struct SPMessageData {
    std::int32_t SPCheck;  ///< kSPValidSPMessageData
    SPPluginRef self;      ///< the plug-in as the host knows it
    void* globals;         ///< the plug-in's data across unload and reload
    SPBasicSuite* basic;   ///< suite acquisition and string comparison
};
enum : std::int32_t { kSPValidSPMessageData = 0x5350436B };  // 'SPCk'

struct SPAccessMessage {
    SPMessageData d;
};
struct SPInterfaceMessage {
    SPMessageData d;
};
struct AIMenuMessage {
    SPMessageData d;
    AIMenuItemHandle menuItem;  ///< the item the user chose
};

#define kSPAccessCaller "SP Access"
#define kSPAccessUnloadSelector "Unload"
#define kSPAccessReloadSelector "Reload"
#define kSPInterfaceCaller "SP Interface"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceShutdownSelector "Shutdown"
#define kSPInterfaceAboutSelector "About"
#define kCallerAIMenu "AI Menu"
#define kSelectorAIGoMenuItem "AI Go"
#define kSelectorAIUpdateMenuItem "AI Update"

/// The entry point the host calls: caller and selector name the message.
typedef SPErr (*SPPluginMainProc)(char* caller, char* selector, void* message);

// ---- suites -----------------------------------------------------------------------------------

/// Handed over in every message.
struct SPBasicSuite {
    SPErr (*AcquireSuite)(const char* name, std::int32_t version, const void** suite);
    SPErr (*ReleaseSuite)(const char* name, std::int32_t version);
    AIBoolean (*IsEqual)(const char* token1, const char* token2);
};

struct SPBlocksSuite {  // "SP Blocks Suite" 2
    SPErr (*AllocateBlock)(std::size_t size, const char* debugName, void** block);
    SPErr (*FreeBlock)(void* block);
};

// Acquired with the others and not called: "SP Access Suite" 3, "AI MdMemory Suite" 1,
// "AI Fixed Math Suite" 2, "AI User Suite" 6, "ADM Icon Suite" 1.
struct SPAccessSuite;
struct AIMdMemorySuite;
struct AIFixedMathSuite;
struct AIUserSuite;
struct ADMIconSuite;

/// Art types.
enum : short {
    kUnknownArt = 0,
    kGroupArt = 1,
    kPathArt = 2,
    kCompoundPathArt = 3,
    kPlacedArt = 7,
    kRasterArt = 9,
    kPluginArt = 10,
    kMeshArt = 11,
    kTextFrameArt = 12,
    kSymbolArt = 13,
};

/// Paint orders: where new or moved art goes relative to the art given.
enum : short {
    kPlaceAbove = 1,
    kPlaceBelow = 2,
    kPlaceInsideOnTop = 3,
    kPlaceInsideOnBottom = 4,
    kPlaceAboveAll = 5,
    kPlaceBelowAll = 6,
};

struct AIArtSuite {                                                      // "AI Art Suite" 12
    AIErr (*GetFirstArtOfLayer)(AILayerHandle layer, AIArtHandle* art);  ///< the layer's group
    AIErr (*GetArtType)(AIArtHandle art, short* type);
    AIErr (*GetArtFirstChild)(AIArtHandle art, AIArtHandle* child);  ///< null when it has none
    AIErr (*GetArtSibling)(AIArtHandle art, AIArtHandle* sibling);   ///< the next art; null at the end
    AIErr (*DuplicateArt)(AIArtHandle art, short paintOrder, AIArtHandle prep, AIArtHandle* newArt);
    AIErr (*DisposeArt)(AIArtHandle art);
    /// Bounds of the art under `transform` (null: none); `flags` choose which bounds.
    AIErr (*GetArtTransformBounds)(AIArtHandle art, AIRealMatrix* transform, std::int32_t flags,
                                   AIRealRect* bounds);
    AIBoolean (*ArtHasFill)(AIArtHandle art);
    AIBoolean (*ArtHasStroke)(AIArtHandle art);
};

struct AILayerSuite {                                                    // "AI Layer Suite" 11
    AIErr (*GetFirstLayer)(AILayerHandle* first);                        ///< the topmost layer
    AIErr (*GetNextLayer)(AILayerHandle previous, AILayerHandle* next);  ///< null after the last
    AIErr (*GetLayerVisible)(AILayerHandle layer, AIBoolean* visible);
    AIErr (*GetLayerTitle)(AILayerHandle layer, AIUnicodeString& title);
    AIErr (*SetLayerTitle)(AILayerHandle layer, const AIUnicodeString& title);
    AIErr (*GetLayerEditable)(AILayerHandle layer, AIBoolean* editable);
    AIErr (*SetLayerEditable)(AILayerHandle layer, AIBoolean editable);
    AIErr (*SetCurrentLayer)(AILayerHandle layer);  ///< new art goes into the current layer
    /// A new layer placed by `paintOrder` relative to `layer` (null: the document's layer list).
    AIErr (*InsertLayer)(AILayerHandle layer, short paintOrder, AILayerHandle* newLayer);
    AIErr (*DeleteLayer)(AILayerHandle layer);
};

struct AIPathSegment {
    AIRealPoint p;    ///< the anchor
    AIRealPoint in;   ///< the handle arriving at the anchor
    AIRealPoint out;  ///< the handle leaving it
    AIBoolean corner;
};

enum : short { kSegmentNotSelected = 0 };

struct AIPathSuite {  // "AI Path Suite" 6
    AIErr (*GetPathSegmentCount)(AIArtHandle path, short* count);
    AIErr (*GetPathSegments)(AIArtHandle path, short segNumber, short count, AIPathSegment* segments);
    AIErr (*GetPathClosed)(AIArtHandle path, AIBoolean* closed);
    AIErr (*GetPathSegmentSelected)(AIArtHandle path, short segNumber, short* selected);
    AIErr (*PathHasLength)(AIArtHandle path, AIBoolean* hasLength);
};

struct AITextFrameSuite {  // "AI Text Frame Suite" 1
    /// Outlines of the frame's glyphs: a group placed above the frame, one child per glyph (a
    /// compound path for glyphs of several contours).
    AIErr (*CreateOutline)(AIArtHandle textFrame, AIArtHandle* outline);
};

/// Colour models of a document.
enum : short { kDocGrayColor = 0, kDocRGBColor = 1, kDocCMYKColor = 2 };

struct AIDocumentSuite {                             // "AI Document Suite" 9
    AIErr (*GetDocumentPageRect)(AIRealRect* page);  ///< the printable page, points
    AIErr (*GetDocumentColorModel)(short* colorModel);
};

/// Colour kinds.
enum AIColorTag : std::int32_t {
    kGrayColor = 0,
    kFourColor = 1,
    kPattern = 2,
    kCustomColor = 3,
    kGradient = 4,
    kThreeColor = 5,
    kNoneColor = 6,
};
struct AIGrayColorStyle {
    AIReal gray;  ///< 0 to 1: the amount of black
};
struct AIFourColorStyle {
    AIReal cyan, magenta, yellow, black;  ///< 0 to 1
};
struct AIThreeColorStyle {
    AIReal red, green, blue;  ///< 0 to 1
};
union AIColorUnion {
    AIGrayColorStyle g;
    AIFourColorStyle f;
    AIThreeColorStyle rgb;
    unsigned char otherKinds[96];  ///< room for pattern, gradient and spot colours, never read here
};
struct AIColor {
    AIColorTag kind;
    AIColorUnion c;
};
struct AIFillStyle {
    AIColor color;
    AIBoolean overprint;
};
struct AIStrokeStyle {
    AIColor color;
    AIBoolean overprint;
    AIReal width;
};
struct AIPathStyle {
    AIBoolean fillPaint;
    AIBoolean strokePaint;
    AIFillStyle fill;
    AIStrokeStyle stroke;
    AIBoolean clip;
    AIBoolean evenodd;
};

struct AIPathStyleSuite {  // "AI Path Style Suite" 8
    AIErr (*GetPathStyle)(AIArtHandle art, AIPathStyle* style);
    AIErr (*SetPathStyle)(AIArtHandle art, const AIPathStyle* style);
};

struct AISwatchListSuite {                                                        // "AI Swatch List Suite" 5
    AIErr (*GetSwatchList)(AIDocumentHandle document, AISwatchListRef* list);     ///< null: current document
    AISwatchRef (*GetSwatchByColor)(AISwatchListRef list, const AIColor* color);  ///< null: none
    AIErr (*GetSwatchName)(AISwatchRef swatch, AIUnicodeString& name);
};

struct AIShapeConstructionSuite {  // "AI Shape Construction Suite" 4
    /// A closed rectangle path in the current layer.
    AIErr (*NewRect)(AIReal top, AIReal left, AIReal bottom, AIReal right, AIBoolean reversed,
                     AIArtHandle* newArt);
};

/// Where an added menu item goes and what it says (a length-prefixed string).
struct AIPlatformAddMenuItemData {
    const char* groupName;
    const unsigned char* itemText;
};

enum : std::int32_t { kAutoEnableMenuItemAction = 1 };

struct AIMenuSuite {  // "AI Menu Suite" 7
    AIErr (*AddMenuItem)(SPPluginRef self, const char* inKey, AIPlatformAddMenuItemData* data,
                         std::int32_t options, AIMenuItemHandle* menuItem);
    AIErr (*AddMenuGroupAsSubMenu)(const char* name, std::int32_t options, AIMenuItemHandle menuItem,
                                   AIMenuGroup* group);
    /// The item's text as a length-prefixed string of up to 255 bytes (`itemString` holds 256).
    AIErr (*GetItemText)(AIMenuItemHandle menuItem, unsigned char* itemString);
    /// The host enables and disables the item itself by these conditions.
    AIErr (*UpdateMenuItemAutomatically)(AIMenuItemHandle menuItem, std::int32_t action,
                                         std::int32_t ifObjectIsInArtwork,
                                         std::int32_t ifObjectIsNotInArtwork, std::int32_t ifObjectIsSelected,
                                         std::int32_t ifObjectIsNotSelected, std::int32_t ifIsTrue,
                                         std::int32_t ifIsNotTrue);
};

struct AIRuntimeSuite {  // "AI Runtime Suite" 8
    AIErr (*GetAppMajorVersion)(std::int32_t* major);
    AIErr (*GetAppMinorVersion)(std::int32_t* minor);
};

struct AIUnicodeStringSuite {  // "AI Unicode String Suite" 5
    AIErr (*Initialize)(AIUnicodeString& str, const char* text, std::size_t byteLength,
                        AICharacterEncoding encoding);
    void (*Destroy)(AIUnicodeString& str);
    /// Writes the text in `encoding` into `buffer` (at most bufferMax bytes, no terminator);
    /// returns the length the whole text needs.
    std::size_t (*GetAs)(const AIUnicodeString& str, AICharacterEncoding encoding, char* buffer,
                         std::size_t bufferMax);
};

struct ADMBasicSuite {  // "ADM Basic Suite" 2
    void (*ErrorAlert)(const char* text);
    /// Entry `index` (from 1) of the plug-in's string list `stringID`, terminated, at most
    /// maxLength bytes with the terminator; "" when there is none.
    void (*GetIndexString)(SPPluginRef plugin, std::int32_t stringID, std::int32_t index, char* buffer,
                           std::int32_t maxLength);
};

typedef SPErr (*ADMDialogInitProc)(ADMDialogRef dialog);

struct ADMDialogSuite {  // "ADM Dialog Suite" 5
    /// Shows the plug-in's dialog resource `dialogID` modally; `initProc` runs before it shows.
    /// Returns the item that closed it.
    std::int32_t (*Modal)(SPPluginRef plugin, const char* name, std::int32_t dialogID, std::int32_t style,
                          ADMDialogInitProc initProc, void* userData, std::int32_t options);
    ADMItemRef (*GetItem)(ADMDialogRef dialog, std::int32_t itemID);
};

struct ADMItemSuite {  // "ADM Item Suite" 7
    void (*SetText)(ADMItemRef item, const char* text);
};

}  // extern "C"
