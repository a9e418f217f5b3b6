// cstatbar.h: FRM_CStatusBar, a row of fields along the bottom of a window. Each field is a
// box holding one view (as a rule a text), drawn sunken; fixed fields keep their width and
// stretching fields share what is left. An auto-sized bar takes its height from its tallest
// field and keeps itself across the bottom of its enclosure.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "frm/views/csubview.h"

class FRM_CStatusBar : public FRM_CSubview {
    FRM_TYPE_INFO(CStatusBar)
public:
    // A stretching field's requested width.
    static constexpr float kStretch = -1.0F;
    static constexpr unsigned kNoIndex = 0xFFFFFFFFU;

    // Auto-sized, across the bottom of theEnclosure.
    explicit FRM_CStatusBar(FRM_CSubview* theEnclosure);
    FRM_CStatusBar(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion);
    // Copies the colours and spacing; never the fields.
    FRM_CStatusBar(const FRM_CStatusBar& other);
    FRM_CStatusBar& operator=(const FRM_CStatusBar& other);
    ~FRM_CStatusBar() override;

    void IStatusBar(int theBorderWidth, int theFieldBorderWidth, int theSeparatorWidth,
                    int theHPadding, int theVPadding, unsigned long theFlatColor,
                    unsigned long theLightShadowColor, unsigned long theDarkShadowColor);
    void GetSpacingValues(int* theBorderWidth, int* theFieldBorderWidth, int* theSeparatorWidth,
                          int* theHPadding, int* theVPadding) const;
    short IsAutoSized() const { return itIsAutoSized; }
    void SetAutoSized(short isAutoSized);

    // 0 for an id in use or a null view. A width of 0 takes the view's own width; -1
    // stretches; any other is the view's width. An index past the end appends.
    virtual short InsertField(unsigned theIndex, long theId, FRM_CView* theFieldView,
                              float theWidth, short isInset);
    virtual short InsertField(unsigned theIndex, long theId, const FRM_CStringRW& theInitialStatus,
                              float theWidth);
    virtual short AppendField(long theId, FRM_CView* theFieldView, float theWidth, short isInset);
    virtual short AppendField(long theId, const FRM_CStringRW& theInitialStatus, float theWidth);
    // A new id for theFieldView, placed by its position; 0 for a null view, -1 on failure.
    virtual long AddField(FRM_CView* theFieldView, float theWidth, short isInset);
    virtual void SetFieldStatus(long theId, const FRM_CStringRW& theStatus, short isShown);
    virtual FRM_CStringRW GetFieldStatus(long theId) const;
    virtual FRM_CView* GetField(long theId) const;
    virtual void RemoveField(long theId);
    virtual void ShowField(long theId);
    virtual void HideField(long theId);
    virtual void ShowAllFields();
    virtual void HideAllFields();
    virtual void RemoveAllFields(short itDeletesSubviews);
    // Stores theSize as given (0 takes the view's width with frames and paddings).
    virtual void SizeField(long theId, float theSize);
    virtual unsigned GetFieldIndex(long theId) const;
    virtual long GetFieldId(unsigned theIndex) const;
    virtual unsigned GetNumFields() const { return static_cast<unsigned>(itsFields.size()); }
    // The requested width.
    virtual float GetFieldWidth(long theId) const;
    virtual short IsFieldInset(long theId) const;
    virtual short IsFieldVisible(long theId) const;
    virtual void ArrangeSubviews();

    void DoShow() override;
    void Draw(const FRM_CRect& theClip) override;
    void DoDraw(const FRM_CRect& theClip) override;
    void DoSize(const FRM_CRect& theFrame) override;
    void DoSetFont(const FRM_CFont& theFont, short isShared) override;
    void DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    // An auto-sized bar is neither sized nor dragged by the user.
    void SetDragging(short isOn) override;
    void SetSizing(short isOn) override;
    void RemoveSubview(FRM_CView* theView) override;
    // Keeps the fields: their views move with the bar.
    void SetEnclosure(FRM_CSubview* theEnclosure) override;

protected:
    struct StatusField {
        std::int32_t itsId = 0;
        float itsRequestedWidth = 0;
        float itsActualWidth = 0;
        FRM_CView* itsView = nullptr;
        short itIsInset = 1;
        short itIsVisible = 1;
    };

    StatusField* GetStatusField(long theId) const;
    void SetFieldIndices();
    void Copy(const FRM_CStatusBar& other);

private:
    float HPx(int thePixels) const;
    float VPx(int thePixels) const;
    // Takes the field at theIndex out of the list and the ids; the view stays.
    void DropField(unsigned theIndex);
    void SetFieldShown(StatusField& theField, bool isShown);

    std::vector<StatusField> itsFields;
    // Ids are looked up through their single-precision value.
    std::map<float, unsigned> itsFieldIndices;
    short itIsAutoSized = 0;
    short itIsMoving = 0;
    unsigned long itsFlatColor = 0x0AC0C0C0UL;
    unsigned long itsLightShadowColor = 0x0BFFFFFFUL;
    unsigned long itsDarkShadowColor = 0x09808080UL;
    int itsBorderWidth = 2;
    int itsFieldBorderWidth = 2;
    int itsSeparatorWidth = 5;
    int itsHPadding = 3;
    int itsVPadding = 0;
};
