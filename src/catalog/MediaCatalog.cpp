#include "catalog/MediaCatalog.h"

#include <algorithm>
#include <optional>
#include <sstream>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/COXCsvFile.h"
#include "platform/Files.h"
#include "platform/Interaction.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

struct IntColumn {
    const char* name;
    std::int16_t MediumRecord::*field;
};

const IntColumn kCutterInts[] = {
    {"CutForce", &MediumRecord::cutForce},
    {"CutSpeed", &MediumRecord::cutSpeed},
    {"RepeatCount", &MediumRecord::repeatCount},
};

const IntColumn kLaserInts[] = {
    {"VectorForce", &MediumRecord::vectorForce},
    {"VectorSpeed", &MediumRecord::vectorSpeed},
    {"VectorLPI", &MediumRecord::vectorLpi},
    {"VectorRepeatCount", &MediumRecord::vectorRepeatCount},
    {"RasterForce", &MediumRecord::rasterForce},
    {"RasterSpeed", &MediumRecord::rasterSpeed},
    {"RasterDPI", &MediumRecord::rasterDpi},
    {"RasterRepeatCount", &MediumRecord::rasterRepeatCount},
    {"VectorCutOutForce", &MediumRecord::vectorCutOutForce},
    {"VectorCutOutSpeed", &MediumRecord::vectorCutOutSpeed},
    {"VectorCutOutLPI", &MediumRecord::vectorCutOutLpi},
    {"Smooth", &MediumRecord::smooth},
    {"CutOut", &MediumRecord::cutOut},
    {"RasterCleanForce", &MediumRecord::rasterCleanForce},
    {"RasterCleanSpeed", &MediumRecord::rasterCleanSpeed},
    {"Clean", &MediumRecord::clean},
    {"Raster", &MediumRecord::raster},
};

// Folds case for the names users type: ASCII letters and the accented capitals of Latin-1
// (U+00C0..U+00DE without U+00D7) in their UTF-8 form, so "BÜGELFOLIE" meets "Bügelfolie".
std::string foldCase(const std::string& s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c < 0x80) {
            out[i] = lowerAscii(out[i]);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            unsigned char n = static_cast<unsigned char>(out[i + 1]);
            if (n >= 0x80 && n <= 0x9E && n != 0x97) out[i + 1] = static_cast<char>(n + 0x20);
            ++i;
        }
    }
    return out;
}

int firstIndexOf(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (equalsNoCase(names[i], name)) return static_cast<int>(i);
    return -1;
}

// The header names a rewrite uses: the file's own, plus any column of the edition it lacks, so
// that every value of a written row has its place.
std::vector<std::string> effectiveNames(const std::vector<std::string>& fileNames,
                                        const std::vector<std::string>& editionNames) {
    std::vector<std::string> names = fileNames;
    for (const auto& column : editionNames)
        if (firstIndexOf(names, column) < 0) names.push_back(column);
    return names;
}

}  // namespace

const std::vector<std::string>& MediaCatalog::columnsFor(StartMode startMode) {
    static const std::vector<std::string> cutter = {"Name",       "CutForce",    "CutSpeed",
                                                    "ToolIDName", "DeltaOffset", "RepeatCount"};
    static const std::vector<std::string> laser = [] {
        std::vector<std::string> names = {"Name"};
        for (const auto& column : kLaserInts) names.push_back(column.name);
        return names;
    }();
    return startMode.isLaser() ? laser : cutter;
}

MediaCatalog::FileLayout MediaCatalog::parse(const std::string& bytes, bool laser, const Texts& texts,
                                             std::vector<MediumRecord>& media) {
    FileLayout layout;
    std::istringstream in(bytes);
    COXCsvFile csv(in);
    csv.setSeparator(';');
    csv.readHeader(laser ? 18 : 6);
    layout.header = bytes.substr(0, static_cast<std::size_t>(csv.position()));
    for (int i = 0; i < csv.fieldCount() && i < csv.columnCount(); ++i)
        layout.headerNames.push_back(csv.columns()[static_cast<std::size_t>(i)].name);

    const int name = csv.columnIndex("Name");
    const int tool = csv.columnIndex("ToolIDName");
    const int delta = csv.columnIndex("DeltaOffset");
    std::vector<std::pair<int, std::int16_t MediumRecord::*>> ints;
    if (laser) {
        for (const auto& column : kLaserInts) ints.emplace_back(csv.columnIndex(column.name), column.field);
    } else {
        for (const auto& column : kCutterInts) ints.emplace_back(csv.columnIndex(column.name), column.field);
    }

    for (;;) {
        const auto start = static_cast<std::size_t>(csv.position());
        if (!csv.readLine() || csv.lastLineEmpty()) {
            // The list ends here; what follows is kept for rewrites but not shown.
            layout.tail = bytes.substr(std::min(start, bytes.size()));
            break;
        }
        const auto end = static_cast<std::size_t>(csv.position());
        layout.rows.push_back(bytes.substr(start, end - start));
        std::vector<std::string> fields;
        for (int i = 0; i < csv.fieldCount(); ++i)
            fields.push_back(csv.columns()[static_cast<std::size_t>(i)].value);
        layout.fields.push_back(std::move(fields));

        MediumRecord& m = media.emplace_back();
        if (name >= 0) csv.readText(name, m.catalogName);
        std::string shown;
        m.name = texts.translateMediumName(m.catalogName, shown) ? shown : m.catalogName;
        if (!laser) {
            if (tool >= 0) csv.readText(tool, m.toolIdName);
            if (delta >= 0) csv.readDouble(delta, m.deltaOffset);
        }
        for (const auto& [index, field] : ints)
            if (index >= 0) csv.readShort(index, m.*field);
    }
    if (csv.inputLineEndKnown()) layout.lineEnd = csv.inputUsesCrLf() ? "\r\n" : "\n";
    return layout;
}

std::string MediaCatalog::headerFor(const FileLayout& layout) const {
    const auto& edition = columnsFor(m_startMode);
    std::vector<std::string> names = effectiveNames(layout.headerNames, edition);
    if (names.size() == layout.headerNames.size()) return layout.header;
    std::ostringstream out;
    if (layout.header.compare(0, 3, "\xEF\xBB\xBF") == 0) out << "\xEF\xBB\xBF";
    COXCsvFile csv(out);
    csv.setSeparator(';');
    csv.setLineEnd(layout.lineEnd);
    csv.setColumns(names);
    csv.writeHeader();
    return out.str();
}

std::string MediaCatalog::rowFor(const FileLayout& layout, const MediumRecord& values,
                                 const std::string& name, const std::vector<std::string>* original) const {
    const bool laser = m_startMode.isLaser();
    std::vector<std::string> names = effectiveNames(layout.headerNames, columnsFor(m_startMode));
    std::ostringstream out;
    COXCsvFile csv(out);
    csv.setSeparator(';');
    csv.setLineEnd(layout.lineEnd);
    csv.setColumns(names);
    // Columns this program does not know keep what the row had.
    if (original)
        for (std::size_t i = 0; i < original->size() && i < names.size(); ++i)
            csv.writeText(static_cast<int>(i), (*original)[i]);
    csv.writeText(firstIndexOf(names, "Name"), name, true);
    if (!laser) {
        csv.writeText(firstIndexOf(names, "ToolIDName"), values.toolIdName);
        csv.writeDouble(firstIndexOf(names, "DeltaOffset"), values.deltaOffset);
        for (const auto& column : kCutterInts)
            csv.writeInt(firstIndexOf(names, column.name), values.*column.field);
    } else {
        for (const auto& column : kLaserInts)
            csv.writeInt(firstIndexOf(names, column.name), values.*column.field);
    }
    csv.writeLine();
    return out.str();
}

std::string MediaCatalog::join(const std::vector<std::string>& pieces, const std::string& lineEnd) {
    std::string out;
    for (const auto& piece : pieces) {
        if (piece.empty()) continue;
        // A last row without a line end gets one before anything follows it.
        if (!out.empty() && out.back() != '\n') out += lineEnd;
        out += piece;
    }
    return out;
}

bool MediaCatalog::load(const std::string& path, StartMode startMode, const std::string& plotterName) {
    m_path = path;
    m_startMode = startMode;
    m_plotterName = plotterName;
    return reload(-1);
}

bool MediaCatalog::reload(int selectIndex) {
    m_media.clear();
    m_layout = FileLayout{};
    m_current = -1;
    std::optional<std::string> bytes = readWholeFile(m_path);
    if (!bytes) {
        // This message has always carried the dialog's default (empty) caption.
        m_ui.messageBox(m_texts.text(TextId::CannotReadMedia), "", MessageIcon::Error);
        return false;
    }
    m_layout = parse(*bytes, m_startMode.isLaser(), m_texts, m_media);
    if (m_media.empty()) return true;

    int index = selectIndex;
    if (index < 0 || index >= static_cast<int>(m_media.size())) {
        std::string stored = m_settings.medium(m_plotterName);
        index = -1;
        for (std::size_t i = 0; i < m_media.size() && index < 0; ++i)
            if (m_media[i].name == stored) index = static_cast<int>(i);
        // A name stored while another language was active still finds its medium: by the catalog
        // name, or by the name that language shows for it.
        for (std::size_t i = 0; i < m_media.size() && index < 0; ++i)
            if (m_media[i].catalogName == stored) index = static_cast<int>(i);
        for (int language : {1000, 2000, 3000}) {
            if (index >= 0 || language == m_texts.languageId()) continue;
            const Texts other(m_texts.folder(), language);
            std::string shown;
            for (std::size_t i = 0; i < m_media.size() && index < 0; ++i)
                if (other.translateMediumName(m_media[i].catalogName, shown) && shown == stored)
                    index = static_cast<int>(i);
        }
        if (index < 0) index = 0;
    }
    selectMedium(index);
    return true;
}

std::vector<std::string> MediaCatalog::names() const {
    std::vector<std::string> out;
    out.reserve(m_media.size());
    for (const auto& m : m_media) out.push_back(m.name);
    return out;
}

const MediumRecord* MediaCatalog::current() const {
    return m_current >= 0 ? &m_media[static_cast<std::size_t>(m_current)] : nullptr;
}

bool MediaCatalog::selectMedium(int index) {
    if (index < 0 || index >= static_cast<int>(m_media.size())) return false;
    m_current = index;
    // Without a plotter there is no section to remember the medium in.
    if (!m_plotterName.empty())
        m_settings.setMedium(m_plotterName, m_media[static_cast<std::size_t>(index)].name);
    return true;
}

std::string MediaCatalog::groupCaption() const {
    const MediumRecord* m = current();
    return fillPlaceholders("%s %s",
                            {m_texts.text(TextId::CuttingParameterFor), m ? m->name : std::string()});
}

std::string MediaCatalog::saveTooltip() const {
    const MediumRecord* m = current();
    return m_texts.text(TextId::TipSaveFor) + " " + (m ? m->name : std::string());
}

bool MediaCatalog::nameExists(const std::string& name) const {
    const std::string folded = foldCase(name);
    for (const auto& m : m_media)
        if (foldCase(m.name) == folded || foldCase(m.catalogName) == folded) return true;
    return false;
}

bool MediaCatalog::rewrite(const std::string& bytes) { return writeFileAtomic(m_path, bytes); }

bool MediaCatalog::newMedium(const MediumRecord& values) {
    return newMedium([&values] { return values; });
}

bool MediaCatalog::newMedium(const std::function<MediumRecord()>& valuesOnceNamed) {
    std::string name;
    for (;;) {
        if (!m_ui.askText(m_texts.text(TextId::NewMediumTitle), m_texts.text(TextId::NewMediumPrompt), name))
            return false;
        name = trimmed(name, isXmlSpace);
        if (name.empty()) {
            m_ui.messageBox(m_texts.text(TextId::EnterMediumName), kProgramCaption, MessageIcon::Exclamation);
            continue;
        }
        if (nameExists(name)) {
            MessageAnswer a = m_ui.messageBox(m_texts.text(TextId::MediumNameExists), kProgramCaption,
                                              MessageIcon::Exclamation, MessageButtons::OkCancel);
            if (a != MessageAnswer::Ok) return false;
            continue;
        }
        break;
    }

    // The file as it is now: read, add the row after the listed media, write the whole file.
    std::optional<std::string> bytes = readWholeFile(m_path);
    if (!bytes) {
        m_ui.messageBox(m_texts.text(TextId::CannotWriteMedia), kProgramCaption, MessageIcon::Error);
        return false;
    }
    std::vector<MediumRecord> listed;
    FileLayout layout = parse(*bytes, m_startMode.isLaser(), m_texts, listed);
    std::vector<std::string> pieces{headerFor(layout)};
    pieces.insert(pieces.end(), layout.rows.begin(), layout.rows.end());
    pieces.push_back(rowFor(layout, valuesOnceNamed(), name, nullptr));
    pieces.push_back(layout.tail);
    if (!rewrite(join(pieces, layout.lineEnd))) {
        m_ui.messageBox(m_texts.text(TextId::CannotWriteMedia), kProgramCaption, MessageIcon::Error);
        return false;
    }
    reload(static_cast<int>(listed.size()));
    return true;
}

bool MediaCatalog::deleteCurrent() {
    if (m_current < 0) return false;
    if (m_ui.messageBox(m_texts.text(TextId::AskDeleteMedium), kProgramCaption, MessageIcon::Question,
                        MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    std::vector<std::string> pieces{headerFor(m_layout)};
    for (std::size_t i = 0; i < m_layout.rows.size(); ++i)
        if (static_cast<int>(i) != m_current) pieces.push_back(m_layout.rows[i]);
    pieces.push_back(m_layout.tail);
    if (!rewrite(join(pieces, m_layout.lineEnd))) {
        m_ui.messageBox(m_texts.text(TextId::CannotWriteMedia), kProgramCaption, MessageIcon::Error);
        return false;
    }
    reload(-1);
    return true;
}

bool MediaCatalog::saveCurrent(const MediumRecord& values, SaveCommand command) {
    if (m_current < 0) return false;
    const bool second = command == SaveCommand::SecondSave;
    if (m_ui.messageBox(m_texts.text(second ? TextId::AskSaveParameters : TextId::AskSaveMedium),
                        kProgramCaption, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    const auto current = static_cast<std::size_t>(m_current);
    std::vector<std::string> pieces{headerFor(m_layout)};
    for (std::size_t i = 0; i < m_layout.rows.size(); ++i)
        pieces.push_back(i == current ? rowFor(m_layout, values, m_media[i].catalogName, &m_layout.fields[i])
                                      : m_layout.rows[i]);
    pieces.push_back(m_layout.tail);
    if (!rewrite(join(pieces, m_layout.lineEnd))) {
        if (second)
            m_ui.messageBox(m_texts.text(TextId::CannotWriteMediaNotSaved), kProgramCaption,
                            MessageIcon::Exclamation);
        else
            m_ui.messageBox(m_texts.text(TextId::CannotWriteMedia), kProgramCaption, MessageIcon::Error);
        return false;
    }
    reload(m_current);
    return true;
}

}  // namespace sartovin
