// nscrlltx.h: FRM_NScrollText, the paragraph text view with scroll bars kept in step with the
// engine both ways: the engine's scroll callback moves the bars, and the bars' actions scroll
// the engine. The bars are its own (FRM_CTextScrollBar, beside the text in the enclosure) or
// the window's own bars.
#pragma once

#include "frm/views/nscrllbr.h"
#include "frm/controls/ntextedt.h"

class FRM_NScrollText;

// A scroll bar whose owner is a scrolling text, placed in the text's enclosure.
class FRM_CTextScrollBar : public FRM_NScrollBar {
    FRM_TYPE_INFO(CTextScrollBar)
public:
    // theFrame is in the owner's coordinates.
    FRM_CTextScrollBar(FRM_NScrollText* theOwner, const FRM_CRect& theFrame, DIRECTION theDirection,
                       long isVisible);
    FRM_CTextScrollBar(const FRM_CTextScrollBar&) = delete;
    FRM_CTextScrollBar& operator=(const FRM_CTextScrollBar&) = delete;
    // Tells its owner that it is gone.
    ~FRM_CTextScrollBar() override;
    void SetDragging(short) override {}
    void SetSizing(short) override {}

private:
    FRM_NScrollText* itsText;   // not owned
};

class FRM_NScrollText : public FRM_NTextEdit {
    FRM_TYPE_INFO(NScrollText)
public:
    // Attribute bits of the bars.
    static constexpr std::uint32_t kWantsVertical = 0x04;
    static constexpr std::uint32_t kWantsHorizontal = 0x08;
    static constexpr std::uint32_t kScrolled = 0x10;
    static constexpr std::uint32_t kHasVertical = 0x20;
    static constexpr std::uint32_t kHasHorizontal = 0x40;

    // The text fills theFrame less the bars it asks for.
    FRM_NScrollText(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, short hasVertical,
                    short hasHorizontal, std::uint32_t theAttributes, float theMargin, int theLimit,
                    short isVisible);
    // Fills the window and scrolls with the window's own bars.
    FRM_NScrollText(FRM_CWindow* theWindow, std::uint32_t theAttributes, float theMargin,
                    int theLimit, short isVisible);
    // From a text-edit item of a window resource: its text-edit attributes 0x20 and 0x40 ask
    // for a vertical and a horizontal bar; its title is the first text.
    FRM_NScrollText(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    // A copy has an engine and bars of its own, like the original's (or shares the window's
    // bars when the original uses them), and the original's thumb tracking.
    FRM_NScrollText(const FRM_NScrollText& other);
    FRM_NScrollText& operator=(const FRM_NScrollText& other);
    // Deletes its own bars, never the window's.
    ~FRM_NScrollText() override;

    // Frame, title (the first text), attributes, margin, limit and font from the view's entry
    // of a window resource, before its engine exists: attributes 0x20 and 0x40 ask for bars.
    void TakeResourceEntry(const s_win_def& theEntry);

    short IScrollText(short isTrackThumb, std::uint32_t theAttributes, float theMargin,
                      int theLimit, const FRM_CStringRW& theText, short selectOnActivate,
                      short isVisible, unsigned long theGlue);

    // The engine's scroll report: top line, line count and column; 0xFFFF leaves that part.
    static void ScrollTextCallback(TXEDIT theTextEdit, std::uint16_t theTopLine,
                                   std::uint16_t theLineCount, std::uint16_t theColumn);

    virtual void SetHIncrements(float theLine, float thePage);
    virtual void SetVIncrements(float theLine, float thePage);
    // The bars' increments; a missing bar is reported (3005 to 3008) and answers 0.
    virtual float GetHLineIncrement() const;
    virtual float GetHPageIncrement() const;
    virtual float GetVLineIncrement() const;
    virtual float GetVPageIncrement() const;
    virtual void GetScrollPosition(std::uint16_t* thePar, std::uint16_t* theLine,
                                   std::uint16_t* theTopLine, std::uint16_t* theColumn) const;
    virtual void SetScrollPosition(std::uint16_t theTopLine, std::uint16_t theColumn);
    // theLine counts from the first line of paragraph theParagraph.
    virtual void SetScrollPosition(std::uint16_t theParagraph, std::uint16_t theLine,
                                   std::uint16_t theColumn);
    FRM_NScrollBar* GetVScrollBar() const { return itsVScrollBar; }
    FRM_NScrollBar* GetHScrollBar() const { return itsHScrollBar; }
    int GetLinesPerPage() const { return itsLinesPerPage; }
    // A bar that goes away is forgotten.
    void RemoveScrollBar(const FRM_NScrollBar* theBar);

    // With a horizontal bar, its range runs to the margin and its thumb is the view's width.
    void SetMargin(float theMargin) override;
    // The text's font; the page is measured again in it.
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    // The engine tells nothing when it is emptied: the bars go back to the start, with
    // nothing to scroll.
    short Clear() override;
    void HScroll(e_scroll_ctl theAction, float thePosition) override;
    void VScroll(e_scroll_ctl theAction, float thePosition) override;
    void Size(const FRM_CRect& theFrame) override;
    void Show() override;
    void Hide() override;

protected:
    s_rct TextEditRect() const override;
    // The frame less the bars (the frame itself with the window's bars).
    FRM_CRect GetInnerFrame() const;
    void CreateScrollBars(short hasVertical, short hasHorizontal);
    // Lines of the window's font that fit the engine's view, at least 1.
    void MeasurePage();
    bool ScrollAmount(const FRM_NScrollBar& theBar, e_scroll_ctl theAction, float thePosition,
                      int theCurrent, int* theAmount) const;
    // The vertical bar's range, position and thumb from the engine's line counts.
    void UpdateVerticalBar(std::uint16_t theTopLine, std::uint16_t theLineCount);

private:
    // The original's font, bars like its bars, the page measured and the engine's scroll
    // report registered.
    void CopyScrollBars(const FRM_NScrollText& theOriginal);
    // Deletes the own bars; leaves the window's, no longer owned by this view.
    void ReleaseScrollBars();

    FRM_NScrollBar* itsHScrollBar = nullptr;   // owned unless itHasWindowBars
    FRM_NScrollBar* itsVScrollBar = nullptr;
    int itsLinesPerPage = 1;
    float itsLineHeight = 1;
    short itTracksThumb = 0;
    short itHasWindowBars = 0;
    short itIsInCallback = 0;
    std::int32_t itsResourceFontId = 0;   // the font its resource entry names, 0 for none
};
