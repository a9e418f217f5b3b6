// ctblatr.h: how table cells look and behave. FRM_CTableAttributes is one attribute set
// (font, colours, justification, four borders, interpreter, read-only flag, validator), whose
// mask says which fields it sets. FRM_CTableAttributeArray keeps the sets of a table's cells,
// rows, columns and the table itself as one-byte indexes into a palette of at most 255
// distinct sets, and also holds the table's selection. It owns the palette entries and every
// interpreter they name.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frm/controls/cvalidtr.h"
#include "frm/core/crgn.h"
#include "frm/views/cchunkarray.h"

class FRM_CFont;
class FRM_CTableCoordinates;
class FRM_CTableInterpreter;

class FRM_CTableAttributes {
public:
    enum : unsigned {
        MaskFont = 1,
        MaskForeground = 2,
        MaskBackground = 4,
        MaskJustification = 8,
        MaskTopBorder = 16,
        MaskLeftBorder = 32,
        MaskBottomBorder = 64,
        MaskRightBorder = 128,
        MaskInterpreter = 256,
        MaskReadOnly = 512,
        MaskValidator = 1024,
    };
    enum TextJustification : std::int32_t {
        JustifyTop = 0,
        JustifyTopRight = 1,
        JustifyRight = 2,
        JustifyBottomRight = 3,
        JustifyBottom = 4,
        JustifyBottomLeft = 5,
        JustifyLeft = 6,
        JustifyTopLeft = 7,
        JustifyCenter = 8,
    };
    enum BorderStyle : std::int32_t {
        BorderNone = 0,
        BorderSingle = 1,
        BorderDouble = 2,
        BorderDashed = 3,
        BorderSunken = 4,
        BorderRaised = 5,
    };
    enum BorderLocation : std::int32_t {
        BorderTop = 1,
        BorderLeft = 2,
        BorderBottom = 4,
        BorderRight = 8,
        BorderTopLeft = 3,
        BorderBottomRight = 12,
        BorderAll = 15,
    };
    static constexpr unsigned long kNoColor = 0xFFFFFFFF;

    struct Border {
        BorderStyle itsStyle = BorderNone;
        unsigned long itsColor = kNoColor;
        bool operator==(const Border& other) const = default;
    };

    FRM_CTableAttributes();
    // Copies every field but the palette index; the copy owns its own font.
    FRM_CTableAttributes(const FRM_CTableAttributes& other);
    FRM_CTableAttributes& operator=(const FRM_CTableAttributes& other);
    virtual ~FRM_CTableAttributes();
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    // Meaningful only while a font is set.
    const FRM_CFont& Font() const;
    unsigned long Foreground() const { return itsForeground; }
    unsigned long Background() const { return itsBackground; }
    TextJustification Justification() const { return itsJustification; }
    Border TopBorder() const { return itsTopBorder; }
    Border LeftBorder() const { return itsLeftBorder; }
    Border BottomBorder() const { return itsBottomBorder; }
    Border RightBorder() const { return itsRightBorder; }
    FRM_CTableInterpreter* Interpreter() const { return itsInterpreter; }
    short ReadOnly() const { return itsReadOnly; }
    FRM_CValidator Validator() const { return itsValidator; }
    unsigned Mask() const { return itsMask; }

    // Each setter stores the value and sets the field's mask bit.
    void Font(const FRM_CFont& theFont);
    void Foreground(unsigned long theColor);
    void Background(unsigned long theColor);
    void Justification(TextJustification theJustification);
    void TopBorder(const Border& theBorder);
    void LeftBorder(const Border& theBorder);
    void BottomBorder(const Border& theBorder);
    void RightBorder(const Border& theBorder);
    // The interpreter is not owned by the set; a table that gets it owns it from then on.
    void Interpreter(FRM_CTableInterpreter* theInterpreter);
    void ReadOnly(short isReadOnly);
    void Validator(const FRM_CValidator& theValidator);
    void Mask(unsigned theMask) { itsMask = theMask; }

    // Each clears the field's mask bit and leaves the value.
    void UnFont() { itsMask &= ~MaskFont; }
    void UnForeground() { itsMask &= ~MaskForeground; }
    void UnBackground() { itsMask &= ~MaskBackground; }
    void UnJustification() { itsMask &= ~MaskJustification; }
    void UnTopBorder() { itsMask &= ~MaskTopBorder; }
    void UnLeftBorder() { itsMask &= ~MaskLeftBorder; }
    void UnBottomBorder() { itsMask &= ~MaskBottomBorder; }
    void UnRightBorder() { itsMask &= ~MaskRightBorder; }
    void UnInterpreter() { itsMask &= ~MaskInterpreter; }
    void UnReadOnly() { itsMask &= ~MaskReadOnly; }
    void UnValidator() { itsMask &= ~MaskValidator; }

    // The borders named by theWhere keep their style (colour) and take the colour (style).
    void SetBorderColor(unsigned long theColor, BorderLocation theWhere);
    void SetBorderStyle(BorderStyle theStyle, BorderLocation theWhere);

    // Takes every field that other sets; never removes a field.
    void Combine(const FRM_CTableAttributes& other);
    // Equal masks and equal set fields; unset fields are ignored.
    int operator==(const FRM_CTableAttributes& other) const;

    // The palette slot of a palette entry.
    unsigned char Index() const { return itsIndex; }

private:
    friend class FRM_CTableAttributeArray;

    // Runs change on each border that theWhere names and marks it set.
    template <class Change>
    void ChangeBorders(BorderLocation theWhere, Change change);

    std::unique_ptr<FRM_CFont> itsFont;
    unsigned long itsForeground = kNoColor;
    unsigned long itsBackground = kNoColor;
    TextJustification itsJustification = JustifyLeft;
    Border itsTopBorder;
    Border itsLeftBorder;
    Border itsBottomBorder;
    Border itsRightBorder;
    unsigned itsMask = 0;
    FRM_CTableInterpreter* itsInterpreter = nullptr;   // not owned
    FRM_CValidator itsValidator;
    short itsReadOnly = 0;
    unsigned char itsIndex = 0;
};

// Internally cell (h, v) lies at (h + 1, v + 1); column 0 holds the rows' sets, row 0 the
// columns' and (0, 0) the table's. Rows, columns and cells of the interface are table indexes.
class FRM_CTableAttributeArray : public FRM_CChunkArray {
public:
    static constexpr int kPaletteSize = 256;   // slot 0 is never used: index 0 is "no attributes"

    FRM_CTableAttributeArray();
    FRM_CTableAttributeArray(std::int32_t theChunkRows, std::int32_t theChunkColumns);
    // Two arrays would both delete the interpreters they name: an array is never copied.
    FRM_CTableAttributeArray(const FRM_CTableAttributeArray&) = delete;
    FRM_CTableAttributeArray& operator=(const FRM_CTableAttributeArray&) = delete;
    // Deletes each interpreter named by the palette once, then the palette entries.
    ~FRM_CTableAttributeArray() override;
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    // The set stored at that level only, or null; negative indexes are refused (2031).
    const FRM_CTableAttributes* GetCell(const FRM_CCell& theCell);
    const FRM_CTableAttributes* GetRow(std::int32_t theRow);
    const FRM_CTableAttributes* GetColumn(std::int32_t theColumn);
    const FRM_CTableAttributes* GetTable();
    // Merge the set into each addressed cell (right and bottom exclusive).
    void SetCell(const FRM_CCell& theCell, const FRM_CTableAttributes& theAttributes);
    void SetCells(const FRM_CBounds& theBounds, const FRM_CTableAttributes& theAttributes);
    // Merge into the row (column, table) entry; with conform also into every cell of it
    // (every entry, for the table), so that earlier lower-level sets do not hide the new one.
    void SetRow(std::int32_t theRow, const FRM_CTableAttributes& theAttributes, short conform);
    void SetColumn(std::int32_t theColumn, const FRM_CTableAttributes& theAttributes,
                   short conform);
    void SetTable(const FRM_CTableAttributes& theAttributes, short conform);

    void SelectCell(const FRM_CCell& theCell, short select);
    void SelectCells(const FRM_CBounds& theBounds, short select);
    void SelectRow(std::int32_t theRow, short select);
    void SelectColumn(std::int32_t theColumn, short select);
    short IsCellSelected(const FRM_CCell& theCell) const { return itsSelected.Contains(theCell); }
    short IsRowSelected(std::int32_t theRow) const { return itsSelected.ContainsRow(theRow); }
    short IsColumnSelected(std::int32_t theColumn) const
    {
        return itsSelected.ContainsColumn(theColumn);
    }
    // True for a selection of exactly one cell (one whole row, one whole column), written out.
    short IsOneCellSelected(FRM_CCell* theCell) const;
    short IsOneRowSelected(std::int32_t* theRow) const;
    short IsOneColumnSelected(std::int32_t* theColumn) const;
    void SetSelectedRegion(const FRM_CRegion& theRegion) { itsSelected = theRegion; }
    const FRM_CRegion& GetSelectedRegion() const { return itsSelected; }
    void DeselectAll() { itsSelected.Clear(); }

    // Move the row (column) entries, the cells and the selection; new rows have no attributes.
    short InsertRows(std::int32_t theAt, std::int32_t theCount) override;
    // theRowCount, the table's number of rows, goes on to the chunk array's row deletion.
    short DeleteRows(std::int32_t theAt, std::int32_t theCount, std::int32_t theRowCount) override;
    short InsertColumns(std::int32_t theAt, std::int32_t theCount) override;
    short DeleteColumns(std::int32_t theAt, std::int32_t theCount) override;

    // Each distinct interpreter named by a palette entry, once, in palette order.
    std::vector<FRM_CTableInterpreter*> GetInterpreters() const;
    // Before theCount rows are deleted from a table of theCellBounds, asks every interpreter
    // to let go of the cells of the rows that leave the end of the table (in each column
    // whose start is known), so that no native view stays on screen for them.
    short DeleteInterpreter(const FRM_CBounds& theCellBounds, std::int32_t theCount,
                            const FRM_CTableCoordinates& theCoordinates);

    // The palette entry of a slot, or null (for tests and the view's drawing).
    const FRM_CTableAttributes* PaletteEntry(unsigned char theIndex) const;

private:
    const FRM_CTableAttributes* GetInternal(const FRM_CCell& theInternal);
    // The palette index of current combined with wanted; 0 when the palette is full.
    unsigned char AttributeToIndex(const FRM_CTableAttributes* theWanted, unsigned char theCurrent);
    void SetInternal(const FRM_CCell& theInternal, const FRM_CTableAttributes& theAttributes);
    void SetInternal(const FRM_CBounds& theInternal, const FRM_CTableAttributes& theAttributes);
    void NoteCells(const FRM_CBounds& theInternal);

    std::unique_ptr<FRM_CTableAttributes> itsAttributeList[kPaletteSize];
    FRM_CRegion itsSelected;
    FRM_CBounds itsCellAttributeBounds;   // internal; every cell that ever got attributes
};

// The selection of an attribute array: by rectangle, by cell, by whole row, by whole column.
class FRM_CSelectionIterator : public FRM_CRegionIterator {
public:
    explicit FRM_CSelectionIterator(const FRM_CTableAttributeArray& theArray)
        : FRM_CRegionIterator(theArray.GetSelectedRegion()) {}
};

class FRM_CSelectionCellIterator : public FRM_CRegionCellIterator {
public:
    explicit FRM_CSelectionCellIterator(const FRM_CTableAttributeArray& theArray)
        : FRM_CRegionCellIterator(theArray.GetSelectedRegion()) {}
};

class FRM_CSelectionRowIterator : public FRM_CRegionRowIterator {
public:
    explicit FRM_CSelectionRowIterator(const FRM_CTableAttributeArray& theArray)
        : FRM_CRegionRowIterator(theArray.GetSelectedRegion()) {}
};

class FRM_CSelectionColumnIterator : public FRM_CRegionColumnIterator {
public:
    explicit FRM_CSelectionColumnIterator(const FRM_CTableAttributeArray& theArray)
        : FRM_CRegionColumnIterator(theArray.GetSelectedRegion()) {}
};
