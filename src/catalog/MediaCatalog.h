#pragma once
// The media catalog ("Media.csv", "MediaHP.csv", "MediaLC.csv"): the user's named sets of cutting
// parameters, and the only catalog the program writes (new, delete, save).
//
// Names are shown translated through section "Medien" of the current language's text file, but
// every rewrite writes each medium's catalog name, so a translation never replaces a name in the
// user's file. Rewrites go through writeFileAtomic: a failure leaves the old file whole. Rows the
// command does not change are written back byte for byte as they were read (quotes, spacing,
// line ends and columns this program does not know included), and so are the rows after an empty
// line, which the list does not show but which are still the user's. The file keeps its own line
// ends (CR LF for a new file).

#include <functional>
#include <string>
#include <vector>

#include "base/StartMode.h"
#include "catalog/MediumRecord.h"

namespace sartovin {

class Interaction;
class Settings;
class Texts;

class MediaCatalog {
public:
    /// Which save command of the options page asks: the save button (question 313) or the
    /// second save command (question 366, failure reported with 367 and a warning icon).
    enum class SaveCommand { SaveButton, SecondSave };

    /// The catalog keeps references to `ui`, `texts` and `settings`; they must outlive it.
    MediaCatalog(Interaction& ui, const Texts& texts, const Settings& settings)
        : m_ui(ui), m_texts(texts), m_settings(settings) {}

    /// The columns of an edition's media file, in file order (6 for the cutters, 18 for the laser).
    static const std::vector<std::string>& columnsFor(StartMode startMode);

    /// Loads the media of `path` for the edition of `startMode` and the plotter `plotterName`
    /// (whose settings section holds the last medium), then selects and applies the stored medium
    /// ("Medium", else the first entry). Rows are read up to the first empty or faulty row. When the
    /// file cannot be opened, shows text 311 (error icon, empty caption), leaves the list empty and
    /// returns false.
    bool load(const std::string& path, StartMode startMode, const std::string& plotterName);

    const std::vector<MediumRecord>& media() const { return m_media; }
    /// The shown names in file order, for the media list.
    std::vector<std::string> names() const;
    /// Index of the current medium, -1 when the list is empty.
    int currentIndex() const { return m_current; }
    /// The current medium, nullptr when the list is empty.
    const MediumRecord* current() const;

    /// Applies medium `index`: makes it current and writes its name to "Medium" of the plotter's
    /// section. The caller then loads `current()` into the options (force, speed, tool by
    /// "ToolIDName", "DeltaOffset" correction, repeat count; laser values) and shows
    /// `groupCaption()` and `saveTooltip()`. False (nothing changes) for a bad index.
    bool selectMedium(int index);
    /// Text 71 and the current medium's name ("%s %s"), for the options group caption.
    std::string groupCaption() const;
    /// Text 242, a blank and the current medium's name, for the save button's tooltip.
    std::string saveTooltip() const;

    /// True when `name` equals a listed medium's shown or catalog name without regard to case
    /// (ASCII and the accented Latin letters).
    bool nameExists(const std::string& name) const;

    /// Creates a medium: asks for its name (title 93, prompt 94; an empty name is refused with 315
    /// and asked again; an existing name gets 314 with OK to ask again and Cancel to stop), then
    /// writes a row with the name (always quoted) and `values` (the current option values; the name
    /// fields are ignored) right after the listed media, reloads and selects the new medium.
    /// 309 when the file cannot be read or rewritten. True when the medium was created.
    bool newMedium(const MediumRecord& values);
    /// The same, with the row's values asked for only once the name was accepted and the file read.
    bool newMedium(const std::function<MediumRecord()>& valuesOnceNamed);

    /// Asks 310 (Yes/No) and on Yes rewrites the file without the current medium and reloads.
    /// 309 when the rewrite fails (the file and the list stay as they were). True when deleted.
    bool deleteCurrent();

    /// Asks 313 or 366 (Yes/No) and on Yes rewrites the current medium's row with `values` (name
    /// fields ignored; its name written quoted) and reloads, keeping the selection. A failed
    /// rewrite shows 309, or 367 with a warning icon for the second save command. True when saved.
    bool saveCurrent(const MediumRecord& values, SaveCommand command = SaveCommand::SaveButton);

    const std::string& path() const { return m_path; }

private:
    // The file as it was read, so that a rewrite keeps what it does not change.
    struct FileLayout {
        std::string header;                            // raw header row (with its line end, and a BOM)
        std::vector<std::string> headerNames;          // the header's column names
        std::vector<std::string> rows;                 // raw text of each listed medium's row
        std::vector<std::vector<std::string>> fields;  // its fields as read
        std::string tail;                              // from the first row not listed to the end
        std::string lineEnd = "\r\n";
    };

    static FileLayout parse(const std::string& bytes, bool laser, const Texts& texts,
                            std::vector<MediumRecord>& media);
    std::string headerFor(const FileLayout& layout) const;
    std::string rowFor(const FileLayout& layout, const MediumRecord& values, const std::string& name,
                       const std::vector<std::string>* original) const;
    static std::string join(const std::vector<std::string>& pieces, const std::string& lineEnd);
    bool reload(int selectIndex);
    bool rewrite(const std::string& bytes);

    Interaction& m_ui;
    const Texts& m_texts;
    const Settings& m_settings;
    std::string m_path;
    std::string m_plotterName;
    StartMode m_startMode = 1;
    std::vector<MediumRecord> m_media;
    FileLayout m_layout;
    int m_current = -1;
};

}  // namespace sartovin
