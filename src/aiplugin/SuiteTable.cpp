#include "aiplugin/SuiteTable.h"

namespace sartovin {

namespace {

template <typename Suite>
const void** slotOf(const Suite*& pointer) {
    return reinterpret_cast<const void**>(&pointer);
}

}  // namespace

SuiteTable::SuiteTable()
    : m_entries{
          {"SP Blocks Suite", 2, slotOf(blocks)},
          {"SP Access Suite", 3, slotOf(access)},
          {"AI MdMemory Suite", 1, slotOf(mdMemory)},
          {"AI Fixed Math Suite", 2, slotOf(fixedMath)},
          {"AI Art Suite", 12, slotOf(art)},
          {"AI Layer Suite", 11, slotOf(layer)},
          {"AI Path Suite", 6, slotOf(path)},
          {"AI Text Frame Suite", 1, slotOf(textFrame)},
          {"AI Document Suite", 9, slotOf(document)},
          {"AI Path Style Suite", 8, slotOf(pathStyle)},
          {"AI Swatch List Suite", 5, slotOf(swatchList)},
          {"AI Shape Construction Suite", 4, slotOf(shapeConstruction)},
          {"AI User Suite", 6, slotOf(user)},
          {"AI Menu Suite", 7, slotOf(menu)},
          {"AI Runtime Suite", 8, slotOf(runtime)},
          {"ADM Basic Suite", 2, slotOf(admBasic)},
          {"ADM Dialog Suite", 5, slotOf(admDialog)},
          {"ADM Item Suite", 7, slotOf(admItem)},
          {"ADM Icon Suite", 1, slotOf(admIcon)},
          {"AI Unicode String Suite", 5, slotOf(unicodeString)},
      } {}

SPErr SuiteTable::acquire(SPBasicSuite* basic, Failure& failure) {
    if (m_nesting == 0) {
        for (int i = 0; i < kCount; ++i) {
            Entry& e = m_entries[i];
            const void* suite = nullptr;
            SPErr err = basic->AcquireSuite(e.name, e.version, &suite);
            if (err == kSPNoError && suite == nullptr) err = kSPSuiteNotFoundError;
            if (err != kSPNoError) {
                failure.name = e.name;
                failure.version = e.version;
                releaseFirst(basic, i);
                return err;
            }
            *e.slot = suite;
        }
    }
    ++m_nesting;
    return kSPNoError;
}

void SuiteTable::release(SPBasicSuite* basic) {
    if (m_nesting == 1) releaseFirst(basic, kCount);
    if (m_nesting > 0) --m_nesting;
}

void SuiteTable::releaseFirst(SPBasicSuite* basic, int count) {
    for (int i = 0; i < count; ++i) {
        Entry& e = m_entries[i];
        if (*e.slot) basic->ReleaseSuite(e.name, e.version);
        *e.slot = nullptr;
    }
}

void SuiteTable::resetNesting() {
    // The host dropped the plug-in's code: the pointers it held are stale, not held.
    for (Entry& e : m_entries) *e.slot = nullptr;
    m_nesting = 0;
}

}  // namespace sartovin
