#pragma once
// The suites the plug-in uses, acquired together before a message and released together after it.
// A nesting counter makes a message that arrives while another is handled (the host may call in
// while the plug-in lets it breathe) reuse the suites instead of acquiring them twice.

#include <string>

#include "aiplugin/PluginSdk.h"

namespace sartovin {

class SuiteTable {
public:
    /// One entry of the table: suite name, version and the slot its function table goes to.
    struct Entry {
        const char* name;
        std::int32_t version;
        const void** slot;
    };

    /// What acquire() could not get.
    struct Failure {
        std::string name;
        std::int32_t version = 0;
    };

    SuiteTable();
    SuiteTable(const SuiteTable&) = delete;  // the entries point at this object's members
    SuiteTable& operator=(const SuiteTable&) = delete;

    /// Acquires all twenty suites through `basic` when the counter is 0, then counts up. On a
    /// failure the suites acquired so far are released again, the counter stays, `failure` names
    /// the suite, and the host's error is returned.
    SPErr acquire(SPBasicSuite* basic, Failure& failure);

    /// Counts down; releases every suite when the counter was 1.
    void release(SPBasicSuite* basic);

    /// After the host reloaded the plug-in: nothing is held any more.
    void resetNesting();

    int nesting() const { return m_nesting; }
    const Entry* begin() const { return m_entries; }
    const Entry* end() const { return m_entries + kCount; }

    static constexpr int kCount = 20;

    const SPBlocksSuite* blocks = nullptr;
    const SPAccessSuite* access = nullptr;
    const AIMdMemorySuite* mdMemory = nullptr;
    const AIFixedMathSuite* fixedMath = nullptr;
    const AIArtSuite* art = nullptr;
    const AILayerSuite* layer = nullptr;
    const AIPathSuite* path = nullptr;
    const AITextFrameSuite* textFrame = nullptr;
    const AIDocumentSuite* document = nullptr;
    const AIPathStyleSuite* pathStyle = nullptr;
    const AISwatchListSuite* swatchList = nullptr;
    const AIShapeConstructionSuite* shapeConstruction = nullptr;
    const AIUserSuite* user = nullptr;
    const AIMenuSuite* menu = nullptr;
    const AIRuntimeSuite* runtime = nullptr;
    const ADMBasicSuite* admBasic = nullptr;
    const ADMDialogSuite* admDialog = nullptr;
    const ADMItemSuite* admItem = nullptr;
    const ADMIconSuite* admIcon = nullptr;
    const AIUnicodeStringSuite* unicodeString = nullptr;

private:
    void releaseFirst(SPBasicSuite* basic, int count);

    Entry m_entries[kCount];
    int m_nesting = 0;
};

}  // namespace sartovin
