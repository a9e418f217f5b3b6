// ctoolpal.h: tool palettes. FRM_CToolPalette is a list of tools (an image and an id each),
// possibly with nested sub-palettes, and one selected tool across the whole tree. For display
// it builds FRM_CToolPaletteAttachment, a tool-bar attachment on a bar of picture buttons:
// one pop-up attachment, made on first use, and one sticky attachment, the last one docked,
// torn off or fixed. A tool with a sub-palette opens it beside its button; a draggable tool
// can be dragged off the palette through the palette's drag source.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frm/views/cbutton.h"
#include "frm/core/cstringrw.h"
#include "frm/views/ctbattch.h"

class FRM_CDragSource;
class FRM_CImage;
class FRM_CToolPalette;
class FRM_CToolPaletteAttachment;

class FRM_CTool {
public:
    // Takes over theSubPalette and theImage.
    FRM_CTool(FRM_CToolPalette* theSubPalette, FRM_CImage* theImage, long theId, short isEnabled,
              short isDraggable);
    // The id, the flags and a copy of the image; no sub-palette.
    FRM_CTool(const FRM_CTool& other);
    FRM_CTool& operator=(const FRM_CTool&) = delete;
    ~FRM_CTool();

    FRM_CToolPalette* itsSubPalette = nullptr;   // owned
    FRM_CImage* itsImage = nullptr;              // owned
    std::int32_t itsId = 0;
    short itIsEnabled = 1;
    short itHasSeparator = 0;   // a separator gap after the tool
    short itIsDraggable = 0;
};

class FRM_CToolPalette {
    friend class FRM_CToolPaletteAttachment;
    friend class FRM_CToolPaletteButton;

public:
    static constexpr long kNoTool = -1;

    explicit FRM_CToolPalette(const FRM_CStringRW& theTitle = FRM_CStringRW(""));
    // Copies the selection, parent, title, drag source and commands; no tools, no attachments.
    FRM_CToolPalette(const FRM_CToolPalette& other);
    FRM_CToolPalette& operator=(const FRM_CToolPalette& other);
    virtual ~FRM_CToolPalette();

    // Takes over theImage. The index is clamped to the number of tools.
    void AppendTool(FRM_CImage* theImage, long theId, short isDraggable, short isEnabled);
    void InsertTool(unsigned theIndex, FRM_CImage* theImage, long theId, short isDraggable,
                    short isEnabled);
    // A tool that opens theSubPalette (taken over); a marker is painted into its image.
    void AppendTool(FRM_CImage* theImage, long theId, FRM_CToolPalette* theSubPalette,
                    short isEnabled);
    void InsertTool(unsigned theIndex, FRM_CImage* theImage, long theId,
                    FRM_CToolPalette* theSubPalette, short isEnabled);
    // Deletes the tool, searching sub-palettes too; its sub-palette, if any, is handed to the
    // caller without a parent. Null otherwise.
    FRM_CToolPalette* RemoveTool(long theId);
    void AppendSeparator();
    void InsertSeparatorAfter(long theId);
    void RemoveSeparatorAfter(long theId);
    void RemoveAllSeparators(short isDeep);
    void EnableTool(long theId, short isEnabled);
    short IsToolEnabled(long theId) const;
    // Clears the selection of the whole tree first.
    void SelectTool(long theId);
    void DeselectAllTools();
    void DeselectTools();
    void DeselectLocalTools();
    // This palette's selected tool, else the first one selected in a sub-palette; -1 for none.
    long GetSelectedTool() const;
    FRM_CImage* GetToolImage(long theId) const;
    std::size_t GetNumTools() const { return itsTools.size(); }
    void ClosePalettes();
    void CloseSubPalettes(const FRM_CToolPalette* theKept);
    void CloseAllPalettes();
    // Shows the palette over theWindow at thePoint, kept 4 pixels inside its frame; with a
    // frame, the panel can be dropped on it. Answers the pop-up attachment.
    FRM_CToolPaletteAttachment* Popup(FRM_CWindow* theWindow, FRM_CPoint thePoint, long theCommand,
                                      short hasTitleBar, FRM_CAttachmentFrame* theFrame);
    FRM_CToolPaletteAttachment* PopupDetached(FRM_CWindow* theWindow, FRM_CPoint thePoint,
                                              long theCommand, short hasTitleBar,
                                              FRM_CAttachmentFrame* theFrame);
    void SetTitle(const FRM_CStringRW& theTitle);
    const FRM_CStringRW& GetTitle() const { return itsTitle; }
    void SetDragSource(FRM_CDragSource* theSource) { itsDragSource = theSource; }
    // The first one up the parents when none is set here.
    FRM_CDragSource* GetDragSource();
    void SetCommands(long theEnterCommand, long theLeaveCommand);
    long GetEnterCommand();
    long GetLeaveCommand();
    FRM_CToolPalette* GetParent() const { return itsParentPalette; }
    FRM_CToolPaletteAttachment* GetPopupAttachment() const { return itsPopupAttachment; }
    FRM_CToolPaletteAttachment* GetStickyAttachment() const { return itsStickyAttachment; }

protected:
    virtual FRM_CToolPaletteAttachment* ConstructAttachment(FRM_CWindow* theWindow,
                                                            long theCommand);
    // The tool with theId here or in a sub-palette (breadth first), its palette and index.
    FRM_CTool* FindTool(long theId, FRM_CToolPalette** thePalette, int* theIndex) const;
    // theAttachment becomes the sticky one; a sticky pop-up swaps roles with the old one.
    void MakeSticky(FRM_CToolPaletteAttachment* theAttachment);
    void RemoveAttachment(const FRM_CToolPaletteAttachment* theAttachment);

private:
    void Insert(unsigned theIndex, std::unique_ptr<FRM_CTool> theTool);
    void DeleteInternals();
    void CopyInternals(const FRM_CToolPalette& other);
    FRM_CToolPalette* Top();
    FRM_CToolPaletteAttachment* Show(FRM_CWindow* theWindow, FRM_CPoint thePoint, long theCommand,
                                     short hasTitleBar, FRM_CAttachmentFrame* theFrame,
                                     bool isDetached);

    FRM_CToolPaletteAttachment* itsPopupAttachment = nullptr;    // owned
    FRM_CToolPaletteAttachment* itsStickyAttachment = nullptr;   // owned
    std::vector<std::unique_ptr<FRM_CTool>> itsTools;            // in display order
    FRM_CToolPalette* itsParentPalette = nullptr;
    long itsSelectedTool = kNoTool;
    FRM_CStringRW itsTitle;
    FRM_CDragSource* itsDragSource = nullptr;   // not owned
    long itsEnterCommand = kNoCommand;
    long itsLeaveCommand = kNoCommand;
};

// Paints the sub-palette marker, a small black triangle on a light-grey block at the right
// edge, into theImage; pixels outside the image are skipped.
void FrmPaintSubPaletteMarker(FRM_CImage& theImage);

class FRM_CToolPaletteButton : public FRM_CButton {
public:
    FRM_CToolPaletteButton(FRM_CSubview* theBar, FRM_CToolPalette* thePalette, FRM_CTool* theTool,
                           FRM_CToolPaletteAttachment* theAttachment);

    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void DoIn() override;
    void DoOut() override;
    void DoUp() override;
    short NeedsDoOut() const override { return SuppressesDoOut() == 0 ? 1 : 0; }

    void StartDragOff() { itWasDraggedOff = 1; }
    void EndDragOff(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    long GetToolId() const { return itsTool->itsId; }
    FRM_CToolPalette* GetToolPalette() const { return itsToolPalette; }
    short SuppressesDoOut() const;
    short WasDraggedOff() const { return itWasDraggedOff; }

protected:
    void DoUpAction() override;
    void DoDownAction() override;

private:
    void SendToolCommand(long theCommand);

    FRM_CToolPalette* itsToolPalette;              // not owned
    FRM_CTool* itsTool;                            // not owned
    FRM_CToolPaletteAttachment* itsAttachment;     // not owned
    short itWasDraggedOff = 0;
    short itReceivedMouseDown = 0;
    short itNeedsDoOut = 0;
};

class FRM_CToolPaletteAttachment : public FRM_CToolBarAttachment {
    friend class FRM_CToolPalette;
    friend class FRM_CToolPaletteButton;

public:
    // A bar of the palette's buttons in theEnclosure, not auto-sized.
    FRM_CToolPaletteAttachment(FRM_CSubview* theEnclosure, FRM_CToolPalette* thePalette,
                               long theCommand);
    // A bar auto-sized along the top with theBestSize as its best size.
    FRM_CToolPaletteAttachment(FRM_CSubview* theEnclosure, FRM_CToolPalette* thePalette,
                               const FRM_CRect& theBestSize, long theCommand);
    FRM_CToolPaletteAttachment& operator=(const FRM_CToolPaletteAttachment& other);
    // Tells the palette.
    ~FRM_CToolPaletteAttachment() override;

    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    short DoUp(FRM_CPoint& where, short& button, short& shift, short& control) override;
    void Detach(short hasTitleBar) override;
    void Popup(FRM_CWindow* theWindow, short hasTitleBar) override;
    short TearOff() override;
    void InternalAttach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint) override;

    FRM_CToolPalette* GetToolPalette() const { return itsToolPalette; }
    FRM_CToolPaletteButton* GetSelectedButton() const { return itsSelectedButton; }
    FRM_CToolPaletteButton* ButtonAt(int theIndex) const;

protected:
    void InitializeToolBar();
    // The window the attachment is shown over now, else the one it was made for.
    FRM_CWindow* GetWindow() const;
    long GetCommand() const { return itsCommand; }
    void SelectButton(FRM_CToolPaletteButton* theButton, long theId);
    void SelectTool(int theIndex);
    void DeselectTool();
    void SetEnabled(int theIndex, short isEnabled);
    // The button of a removed tool goes from the bar.
    void RemoveButton(int theIndex);

private:
    FRM_CToolPalette* itsToolPalette;                     // not owned
    FRM_CToolPaletteButton* itsSelectedButton = nullptr;  // not owned
    FRM_CToolPaletteButton* itsDragOffButton = nullptr;   // not owned
    FRM_CWindow* itsWindow = nullptr;
    long itsCommand = kNoCommand;
    short itsButtonIsDown = 0;
};
