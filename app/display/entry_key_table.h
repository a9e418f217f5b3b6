// entry_key_table.h: EntryKeyTable, which turns one stored entry into the ten part
// strings of the display form and hands them to the entry painter, and which finds the
// entry's illustration or table and the spoken sound of a word in the dictionary's other
// data sets. One per open dictionary (the reference document owns it); it owns its eleven
// part records, its reference record and nothing else.
//
// Every data-set switch (art, tables, sounds) ends with the main data set open again,
// except SoundData, whose caller (PlaySound) reopens it. The formatter walks a private
// copy of the entry's field stream, so a data-set switch in the middle of an entry does
// not disturb the walk.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <memory>

class configDict;
class EntryPainter;
class FRM_CImage;
class RWOrdered;
class WordItem;

// What the formatter hands an entry to: the entry painter.
class EntryDisplayTarget {
public:
    virtual ~EntryDisplayTarget() = default;
    // Copies of the description's second part texts, indexed by part number (slots 0 to
    // 11: the layout tokens of each part), and of its part order (slot k: the part shown
    // k-th), and the words to highlight (null when none). Called before ShowEntry.
    virtual void SetDisplayOrder(const RWOrdered& layoutTokenTexts, const RWOrdered& displayParts,
                                 const RWOrdered* searchWords) = 0;
    // The ten parts, parts[1] to parts[10]; parts[0] is not read. The records stay the
    // table's.
    virtual void ShowEntry(WordItem* const* parts) = 0;
};

class EntryKeyTable {
public:
    EntryKeyTable();
    ~EntryKeyTable();
    EntryKeyTable(const EntryKeyTable&) = delete;
    EntryKeyTable& operator=(const EntryKeyTable&) = delete;

    // Stores the description and opens its main data set; true when it opened.
    bool Matches(const configDict* description);
    // Makes this table's data set the dictionary engine's again when another table opened
    // its own since (the engine holds one data set at a time); true when it is open.
    bool MakeCurrent();
    // Forgets which table's data set the dictionary engine has open, as if none had been
    // made (tests).
    static void ResetForTests();

    // Formats the entry of word (its entry offset: the "hw" index offset; -1: look its
    // text up as a head word) into the ten parts and hands them to target. An entry that
    // cannot be found (offset 0) leaves ten empty parts and hands nothing over.
    // highlightWords: collectable strings to highlight, or null; not owned.
    void FormatEntryText(const WordItem* word, EntryDisplayTarget* target,
                         const RWOrdered* highlightWords);
    // Formats an entry's field stream, as the dictionary engine expands it, in the same way.
    void FormatFieldStream(const std::string& stream, EntryDisplayTarget* target,
                           const RWOrdered* highlightWords);

    // Resolves the art part (part 10) to a record of the table or art data set: a text
    // holding "table/KEY;..." names table KEY, anything else the illustration whose key
    // an 0xEE field of the entry gave. True when the record was found.
    bool ResolveReference(WordItem* artPart);
    // The image of the entry's illustration or table, read by painter, which lays out and
    // draws an illustration's caption; null when the entry has none or it is no image.
    std::unique_ptr<FRM_CImage> ShowReference(EntryPainter* painter) const;
    // Why the entry's illustration or table cannot be shown, naming its file ("The
    // illustration "octagon" cannot be read: the file data/art.cmp is damaged."); empty
    // when it can.
    std::string ReferenceProblem() const;
    // What names the illustration or table of the entry shown apart from any other: the
    // entry's word, the kind, the data file and the record's place there; empty when the
    // entry has none.
    std::string ReferenceShown() const;
    // One line for each picture, table or sound set the description names that cannot be
    // opened, naming the file and what is wrong; the main set is open again after.
    std::vector<std::string> MediaSetProblems() const;

    // The sound record of word in the "sound" data set of the dictionary the entry shown came
    // from (else the table's): its bytes (a WAV image) and their
    // count, or null (nothing found, or no sound data set: then the main set is open again).
    const char* SoundData(const char* word, std::uint32_t* length);
    // Plays the sound of word, when there is one whose image lies wholly inside its record;
    // reopens the main data set. Answers 0, or -1 when the word has a sound that could not be
    // played or read (the user has been told, naming a damaged file).
    int PlaySound(const char* word);
    // Plays a sound record of length bytes when the RIFF image it starts with lies wholly
    // inside it; answers whether the player took it. record may be null (nothing found).
    static bool PlaySoundRecord(const char* record, std::uint32_t length);

    WordItem* part(int k) const { return k >= 1 && k <= 10 ? itsParts[k] : nullptr; }
    WordItem* soundPart() const { return itsSoundPart; }
    const std::string& referenceKey() const { return itsReferenceKey; }
    std::uint32_t referenceOffset() const { return itsReferenceOffset; }
    const std::string& referenceRecord() const { return itsReferenceRecord; }
    bool isArt() const { return itsIsArt; }
    bool isTable() const { return itsIsTable; }
    const std::string& currentEntryWord() const { return itsEntryWord; }

private:
    // Forgets the entry shown (empty parts, no reference, no sound part) and takes the words
    // to highlight in the next one.
    void ClearEntry(const RWOrdered* highlightWords);
    void FormatFields(const std::string& stream, EntryDisplayTarget* target);
    void RenderField(std::uint8_t code, const std::string& text, std::uint8_t nextCode);
    std::string Marked(const std::string& text) const;
    void Label(WordItem* part);
    bool OpenMainSet() const;

    WordItem* itsParts[11] = {};                 // owned; slot 0 unused
    std::string itsReferenceKey;
    std::uint32_t itsReferenceOffset = 0;
    std::string itsReferenceRecord;              // a copy of the record's bytes
    std::string itsReferenceProblem;             // why it could not be read, else empty
    std::string itsReferenceData;                // the data file it was read from
    std::string itsSoundProblem;                 // why the last sound could not be read
    bool itsIsArt = false;
    bool itsIsTable = false;
    const configDict* itsDescription = nullptr;  // not owned
    const configDict* itsEntryDescription = nullptr;  // the one the entry shown came from
    const RWOrdered* itsHighlightWords = nullptr;
    WordItem* itsSoundPart = nullptr;
    std::string itsEntryWord;                    // the word a '~' stands for
    std::string itsPartLabel;                    // first text of the current field's part
    std::int32_t itsLabelWidth = 0;
    std::uint8_t itsPreviousCode = 0;
};
