// Tests of the notebook and its face windows over the base library's real notebook control:
// the placeholder tab, pages and faces, tabs picked by mouse, arrow keys and hot keys, the
// key hook on the tab strip, removal of pages and tabs with their faces, commands of a face
// going to the window that holds the notebook, and closing a document whose window holds one.
#include "frm/controls/nnotebk.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/controls/nctrls.h"
#include "frm/controls/cfacewin.h"
#include "frm/views/cimage.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

constexpr char kResources[] = R"(
window 7400 {
  entry type=1 rect=(0,0,200,300) title="Page"
  entry type=17 rect=(10,10,32,200) title="word" id=401
  entry type=12 rect=(40,10,64,90) title="Go" id=402
}
)";

// A document that records the commands and keys it hears.
class RecordingDocument : public frmtest::TestDocument {
public:
    using TestDocument::TestDocument;
    void DoCommand(long command, void* data) override
    {
        commands.push_back(command);
        TestDocument::DoCommand(command, data);
    }
    void DoKey(const FRM_CKey& key) override { keys.push_back(key.GetChar()); }
    std::vector<long> commands;
    std::vector<std::uint16_t> keys;
};

// A face that notes its deletion, which only the switchboard does.
class ProbeFace : public FRM_CFaceWindow {
public:
    ProbeFace(FRM_CDocument* document, FRM_NNotebook* notebook, bool* deleted = nullptr)
        : FRM_CFaceWindow(document, notebook), itsDeleted(deleted)
    {
    }

protected:
    ~ProbeFace() override
    {
        if (itsDeleted != nullptr)
            *itsDeleted = true;
    }

private:
    bool* itsDeleted;
};

class NotebookTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        ASSERT_TRUE(vkov_res_register_text("nnotebk_test", kResources));
        itsNotebook = new FRM_NNotebook(itsWindow, FRM_CRect(10, 10, 310, 230));
        itsControl = itsNotebook->GetVKOWindow();
    }

    // Tabs "One", "Two", "Three" with one page each, each page showing a face.
    std::vector<ProbeFace*> ThreeFaces(long resourceId = 0, bool* deleted = nullptr)
    {
        const char* titles[] = {"One", "Two", "Three"};
        std::vector<ProbeFace*> faces;
        for (short tab = 0; tab < 3; ++tab) {
            itsNotebook->AddTab(tab, FRM_CStringRW(titles[tab]), FRM_CImage());
            itsNotebook->AddPage(tab, 0, FRM_CStringRW(titles[tab]));
            auto* face = new ProbeFace(itsDocument, itsNotebook,
                                       deleted != nullptr ? &deleted[tab] : nullptr);
            itsNotebook->SetFace(face, tab, 0, resourceId);
            faces.push_back(face);
        }
        vkok_app_process_pending_events();
        return faces;
    }

    short FrontTab()
    {
        short tab = -1;
        short page = -1;
        itsNotebook->GetFrontPage(&tab, &page);
        return tab;
    }

    // Clicks along the tab strip until the wanted tab is in front.
    bool ClickTab(short wanted)
    {
        for (std::int16_t h = 4; h < 300 && FrontTab() != wanted; h += 4)
            Click(itsControl, s_pnt{8, h});
        return FrontTab() == wanted;
    }

    void KeyOnStrip(std::uint16_t character, std::int16_t isVirtual = 0)
    {
        vkok_scr_set_focus_vobj(itsControl);
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = character;
        event.v.chr.virt = isVirtual;
        vkov_test_post_event(itsControl, &event);
        vkok_app_process_pending_events();
    }

    FRM_NNotebook* itsNotebook = nullptr;
    WINDOW itsControl = nullptr;
};

TEST_F(NotebookTest, ThePlaceholderTabGoesWithTheFirstAddedTab)
{
    EXPECT_EQ(itsNotebook->GetNumTabs(), 1);
    EXPECT_EQ(itsNotebook->INotebook(), 1);
    EXPECT_EQ(itsNotebook->GetRUKNotebook(), 0);
    EXPECT_STREQ(itsNotebook->GetTitle().data(), "");
    // The first tab replaces the placeholder whatever number it is given.
    itsNotebook->AddTab(5, FRM_CStringRW("Basic"), FRM_CImage());
    EXPECT_EQ(itsNotebook->GetNumTabs(), 1);
    EXPECT_STREQ(itsNotebook->GetTabTitle(0).data(), "Basic");
    itsNotebook->AddTab(1, FRM_CStringRW("Advanced"), FRM_CImage());
    itsNotebook->AddPage(1, 0, FRM_CStringRW("Query"));
    EXPECT_EQ(itsNotebook->GetNumTabs(), 2);
    EXPECT_EQ(itsNotebook->GetNumPages(1), 1);
    itsNotebook->SetTabTitle(1, FRM_CStringRW("Boolean"));
    itsNotebook->SetPageTitle(1, 0, FRM_CStringRW("Terms"));
    EXPECT_STREQ(itsNotebook->GetTabTitle(1).data(), "Boolean");
    EXPECT_STREQ(itsNotebook->GetPageTitle(1, 0).data(), "Terms");
    EXPECT_EQ(static_cast<IMAGE>(itsNotebook->GetTabImage(1)), nullptr);
}

TEST_F(NotebookTest, FacesAreFoundByPageAndPagesByFace)
{
    FrmErrorCapture errors;
    const std::vector<ProbeFace*> faces = ThreeFaces();
    ASSERT_EQ(itsNotebook->GetFaces().entries(), 3U);
    for (short tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        EXPECT_EQ(itsNotebook->GetFace(tab, 0), faces[tab]);
        EXPECT_EQ(faces[tab]->GetNotebook(), itsNotebook);
        short foundTab = -2;
        short foundPage = -2;
        itsNotebook->GetFacePage(faces[tab], &foundTab, &foundPage);
        EXPECT_EQ(foundTab, tab);
        EXPECT_EQ(foundPage, 0);
    }
    EXPECT_EQ(itsNotebook->GetFace(7, 0), nullptr);
    // Every face fills the page frame, below the tabs.
    s_rct client{};
    vkok_vobj_get_client_rect(faces[0]->GetVKOWindow(), &client);
    EXPECT_GT(client.right, 280);
    EXPECT_GT(client.bottom, 180);
    EXPECT_EQ(faces[0]->GetFrame(), FRM_CRect(client));
    EXPECT_TRUE(errors.Reports().empty());

    // Setting a face twice is refused once and changes nothing.
    itsNotebook->SetFace(faces[1], 1, 0, 0);
    ASSERT_EQ(errors.Reports().size(), 1U);
    EXPECT_EQ(errors.Reports()[0].code, 2680);
    EXPECT_EQ(errors.Reports()[0].file, "nnotebk");
    EXPECT_EQ(itsNotebook->GetFaces().entries(), 3U);
    EXPECT_EQ(itsNotebook->GetNavigator()->TabStopCount(), 4U);   // the notebook and 3 faces

    // A face of another notebook has no page here.
    auto* other = new FRM_NNotebook(itsWindow, FRM_CRect(10, 240, 310, 300));
    other->AddTab(0, FRM_CStringRW("Else"), FRM_CImage());
    other->AddPage(0, 0, FRM_CStringRW("Else"));
    auto* stranger = new ProbeFace(itsDocument, other);
    other->SetFace(stranger, 0, 0, 0);
    errors.Take();
    short tab = 0;
    short page = 0;
    itsNotebook->GetFacePage(stranger, &tab, &page);
    EXPECT_EQ(tab, -1);
    EXPECT_EQ(page, -1);
    ASSERT_EQ(errors.Reports().size(), 1U);
    EXPECT_EQ(errors.Reports()[0].code, 2680);
}

TEST_F(NotebookTest, TabsPickedByMouseAndArrowsBringTheirFaceToTheFront)
{
    const std::vector<ProbeFace*> faces = ThreeFaces(7400);
    EXPECT_EQ(FrontTab(), 0);
    ASSERT_TRUE(ClickTab(2));
    EXPECT_TRUE(faces[2]->IsVisible());
    EXPECT_FALSE(IsHidden(faces[2]->GetVKOWindow()));
    EXPECT_TRUE(IsHidden(faces[0]->GetVKOWindow()));
    // The navigator enters the face in front.
    FRM_CTabStop* front = itsNotebook->GetNavigator()->GetTabStopAt(0);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->GetSubNavigator(), faces[2]->GetNavigator());

    struct Case {
        std::uint16_t key;
        short wantFront;
    };
    const Case cases[] = {{VKO_KEY_LEFT, 1}, {VKO_KEY_LEFT, 0}, {VKO_KEY_LEFT, 0},
                          {VKO_KEY_RIGHT, 1}};
    for (const Case& c : cases) {
        KeyOnStrip(c.key, 1);
        EXPECT_EQ(FrontTab(), c.wantFront);
        EXPECT_EQ(itsNotebook->GetNavigator()->GetTabStopAt(0)->GetSubNavigator(),
                  faces[c.wantFront]->GetNavigator());
    }
    // A page the program brings to the front is entered the same way.
    itsNotebook->SetFrontPage(2, 0);
    EXPECT_EQ(FrontTab(), 2);
    EXPECT_EQ(itsNotebook->GetNavigator()->GetTabStopAt(0)->GetSubNavigator(),
              faces[2]->GetNavigator());
}

TEST_F(NotebookTest, TheKeyHookNavigatesOnTabAndSwallowsEnter)
{
    auto* document = new RecordingDocument(itsApplication.get(), 5100);
    FRM_CWindow* window = new FRM_CWindow(document, FRM_CRect(0, 0, 320, 240),
                                          FRM_CStringRW("holder"), 0, W_DOC, 0, itsTaskWindow);
    itsNotebook = new FRM_NNotebook(window, FRM_CRect(10, 10, 310, 230));
    itsControl = itsNotebook->GetVKOWindow();
    const std::vector<ProbeFace*> faces = ThreeFaces(7400);
    ASSERT_TRUE(ClickTab(1));

    KeyOnStrip('x');
    KeyOnStrip(13);
    // Enter stops at the strip; other keys go on to the window.
    EXPECT_EQ(document->keys, std::vector<std::uint16_t>({'x'}));

    // Tab on the strip enters the front face at its first field.
    KeyOnStrip(9);
    const FRM_CView* field = faces[1]->FindResourceView(7400, 401);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), field->GetVKOWindow());
    // Tab on the page moves through the page's own fields.
    Key(field->GetVKOWindow(), 9);
    const FRM_CView* button = faces[1]->FindResourceView(7400, 402);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), button->GetVKOWindow());
}

// A window that nests its notebook's navigator in its own: Tab runs from the window's field
// through the front page's fields and on to the window's button, and back-tab returns. The
// window, its notebook and the pages each keep their navigator, so closing the window (or
// deleting the notebook first) deletes each navigator once.
class LinkedNotebookTest : public NotebookTest {
protected:
    void SetUp() override
    {
        NotebookTest::SetUp();
        itsWindow->RemoveSubview(itsNotebook);
        delete itsNotebook;
        itsBefore = new FRM_NEditControl(itsWindow, FRM_CRect(10, 4, 100, 26), FRM_CStringRW(), 0);
        itsNotebook = new FRM_NNotebook(itsWindow, FRM_CRect(10, 30, 310, 200));
        itsControl = itsNotebook->GetVKOWindow();
        itsAfter = new FRM_NButton(itsWindow, FRM_CRect(10, 206, 100, 230), FRM_CStringRW("After"), 0);
        itsFaces = ThreeFaces(7400);
        ASSERT_TRUE(ClickTab(1));
        // The window's order: its field, the tab strip, the front page, its button.
        FRM_CNavigator* navigator = itsWindow->GetNavigator();
        navigator->ClearTabStops();
        navigator->AppendTabStop(navigator->ConstructViewTabStop(itsBefore));
        navigator->AppendTabStop(new CNotebkTabStop(itsNotebook, nullptr));
        navigator->AppendSubNavigator(itsNotebook->GetNavigator());
        navigator->AppendTabStop(navigator->ConstructViewTabStop(itsAfter));
    }
    WINDOW Field(long id) const { return itsFaces[1]->FindResourceView(7400, id)->GetVKOWindow(); }
    static WINDOW Focus() { return vkok_scr_get_focus_vobj(); }

    FRM_NEditControl* itsBefore = nullptr;
    FRM_NButton* itsAfter = nullptr;
    std::vector<ProbeFace*> itsFaces;
};

TEST_F(LinkedNotebookTest, TabRunsThroughTheFrontPageBetweenTheWindowsOwnControls)
{
    vkok_scr_set_focus_vobj(itsBefore->GetVKOWindow());
    std::vector<WINDOW> visited;
    for (int i = 0; i < 5; ++i) {
        Key(Focus(), 9);
        visited.push_back(Focus());
    }
    EXPECT_EQ(visited, std::vector<WINDOW>({itsControl, Field(401), Field(402),
                                            itsAfter->GetVKOWindow(), itsBefore->GetVKOWindow()}));
    // Back-tab goes the same way backward: into the front page at its last field, and on
    // through the page to the tab strip.
    vkok_scr_set_focus_vobj(itsAfter->GetVKOWindow());
    std::vector<WINDOW> back;
    for (int i = 0; i < 3; ++i) {
        EVENT backTab{};
        backTab.type = E_CHAR;
        backTab.v.chr.ch = 315;
        backTab.v.chr.virt = 1;
        vkov_test_post_event(Focus(), &backTab);
        vkok_app_process_pending_events();
        back.push_back(Focus());
    }
    EXPECT_EQ(back, std::vector<WINDOW>({Field(402), Field(401), itsControl}));
    FrmErrorCapture errors;
    EXPECT_EQ(itsDocument->DoClose(), 1);
    vkok_app_process_pending_events();
    EXPECT_TRUE(errors.Reports().empty());
}

TEST_F(LinkedNotebookTest, ANotebookDeletedBeforeItsWindowLeavesTheWindowsNavigator)
{
    FRM_CNavigator* navigator = itsWindow->GetNavigator();
    const std::size_t count = navigator->TabStopCount();
    itsWindow->RemoveSubview(itsNotebook);
    delete itsNotebook;
    vkok_app_process_pending_events();
    EXPECT_EQ(navigator->TabStopCount(), count - 2) << "its own tab stop and its navigator's";
    vkok_scr_set_focus_vobj(itsBefore->GetVKOWindow());
    Key(Focus(), 9);
    EXPECT_EQ(Focus(), itsAfter->GetVKOWindow());
    EXPECT_EQ(itsDocument->DoClose(), 1);
    vkok_app_process_pending_events();
}

TEST_F(NotebookTest, HotKeysBringTheirPageToTheFrontAndPagesWithoutFacesAreIgnored)
{
    const std::vector<ProbeFace*> faces = ThreeFaces();
    itsNotebook->AddTab(3, FRM_CStringRW("Empty"), FRM_CImage());
    itsNotebook->AddPage(3, 0, FRM_CStringRW("Empty"));
    const FRM_CKey altT('t', 0, 0, 1, 0);
    const FRM_CKey altE('e', 0, 0, 1, 0);
    itsNotebook->SetTabHotKey(2, 0, altT);
    // A page without a face set here takes no hot key (and the walk stays in the list).
    itsNotebook->SetTabHotKey(3, 0, altE);
    itsNotebook->SetTabHotKey(9, 0, altE);

    FRM_CNavigator* navigator = itsNotebook->GetNavigator();
    FRM_CNavigator* foundNavigator = nullptr;
    FRM_CTabStop* found = nullptr;
    EXPECT_TRUE(navigator->Navigate(FRM_CNavigator::NoMovement(), altT, nullptr, foundNavigator,
                                    found));
    EXPECT_EQ(foundNavigator, navigator);
    EXPECT_EQ(FrontTab(), 2);
    EXPECT_EQ(navigator->GetTabStopAt(0)->GetSubNavigator(), faces[2]->GetNavigator());
    EXPECT_FALSE(navigator->Navigate(FRM_CNavigator::NoMovement(), altE, nullptr,
                                     foundNavigator, found));
    EXPECT_EQ(FrontTab(), 2);
}

TEST_F(NotebookTest, RemovingATabClosesEveryFaceOnItAndLeavesNoneListed)
{
    itsNotebook->AddTab(0, FRM_CStringRW("Results"), FRM_CImage());
    bool deleted[3] = {false, false, false};
    for (short page = 0; page < 3; ++page) {
        itsNotebook->AddPage(0, page, FRM_CStringRW("Result"));
        itsNotebook->SetFace(new ProbeFace(itsDocument, itsNotebook, &deleted[page]), 0, page, 0);
    }
    itsNotebook->AddTab(1, FRM_CStringRW("Other"), FRM_CImage());
    itsNotebook->AddPage(1, 0, FRM_CStringRW("No face"));
    ASSERT_EQ(itsNotebook->GetNumPages(0), 3);

    // A page without a face goes without touching any face.
    itsNotebook->RemovePage(1, 0);
    EXPECT_EQ(itsNotebook->GetNumPages(1), 0);
    EXPECT_EQ(itsNotebook->GetFaces().entries(), 3U);

    itsNotebook->RemoveTab(0);
    vkok_app_process_pending_events();
    EXPECT_EQ(itsNotebook->GetNumTabs(), 1);
    EXPECT_TRUE(deleted[0]);
    EXPECT_TRUE(deleted[1]);
    EXPECT_TRUE(deleted[2]);   // the last page's face, which goes with the tab
    EXPECT_EQ(itsNotebook->GetFaces().entries(), 0U);
    EXPECT_EQ(itsNotebook->GetNavigator()->TabStopCount(), 1U);
    // Walks over the faces find nothing dead.
    itsNotebook->Size(FRM_CRect(0, 0, 300, 200));
    EXPECT_EQ(itsNotebook->GetFace(0, 0), nullptr);
}

TEST_F(NotebookTest, AFaceSendsItsCommandsToTheWindowHoldingTheNotebook)
{
    auto* holderDocument = new RecordingDocument(itsApplication.get(), 5101);
    auto* faceDocument = new RecordingDocument(itsApplication.get(), 5102);
    FRM_CWindow* window = new FRM_CWindow(holderDocument, FRM_CRect(0, 0, 320, 240),
                                          FRM_CStringRW("holder"), 0, W_DOC, 0, itsTaskWindow);
    auto* notebook = new FRM_NNotebook(window, FRM_CRect(10, 10, 310, 230));
    notebook->AddTab(0, FRM_CStringRW("Basic"), FRM_CImage());
    notebook->AddPage(0, 0, FRM_CStringRW("Basic"));
    auto* face = new ProbeFace(faceDocument, notebook);
    notebook->SetFace(face, 0, 0, 7400);
    vkok_app_process_pending_events();

    face->DoCommand(777, nullptr);
    // The button built from the resource sends its item id when clicked.
    FRM_CView* button = face->FindResourceView(7400, 402);
    ASSERT_NE(button, nullptr);
    Click(button->GetVKOWindow(), s_pnt{5, 5});
    EXPECT_EQ(holderDocument->commands, std::vector<long>({777, 402}));
    EXPECT_TRUE(faceDocument->commands.empty());

    // A face has no menu bar, and its Close leaves it and its views in place.
    face->SetMenuBar(nullptr, 0);
    EXPECT_EQ(face->GetMenuBar(), nullptr);
    const WINDOW handle = face->GetVKOWindow();
    EXPECT_EQ(face->Close(), 0);
    EXPECT_EQ(face->GetVKOWindow(), handle);
    EXPECT_EQ(vko_vobj_is_valid(handle), TRUE);
    EXPECT_EQ(face->FindResourceView(7400, 402), button);
}

TEST_F(NotebookTest, AFaceHasNoToolkitWindowUntilItsNotebookMakesIt)
{
    auto* face = new ProbeFace(itsDocument, itsNotebook);
    EXPECT_EQ(face->GetVKOWindow(), nullptr);
    EXPECT_EQ(face->GetWindowType(), 7);
    itsNotebook->AddTab(0, FRM_CStringRW("Basic"), FRM_CImage());
    itsNotebook->AddPage(0, 0, FRM_CStringRW("Basic"));
    itsNotebook->SetFace(face, 0, 0, 0);
    EXPECT_NE(face->GetVKOWindow(), nullptr);
    EXPECT_EQ(vko_vobj_get_parent(face->GetVKOWindow()), itsControl);
}

TEST_F(NotebookTest, ClosingTheDocumentClosesTheWindowWithItsNotebookAndFaces)
{
    bool deleted[3] = {false, false, false};
    ThreeFaces(7400, deleted);
    ASSERT_TRUE(ClickTab(1));
    // The faces are the window's pages, not windows of the document.
    EXPECT_EQ(itsDocument->GetNumWindows(), 1);
    const WINDOW window = itsWindow->GetVKOWindow();
    FrmErrorCapture errors;
    EXPECT_EQ(itsDocument->DoClose(), 1);
    vkok_app_process_pending_events();
    EXPECT_EQ(vko_vobj_is_valid(window), FALSE);
    EXPECT_TRUE(deleted[0] && deleted[1] && deleted[2]);
    EXPECT_TRUE(errors.Reports().empty());
}

TEST_F(NotebookTest, DeletingTheNotebookRemovesItsTabsAndFaces)
{
    bool deleted[3] = {false, false, false};
    ThreeFaces(0, deleted);
    ASSERT_TRUE(ClickTab(2));
    itsWindow->RemoveSubview(itsNotebook);
    delete itsNotebook;
    vkok_app_process_pending_events();
    EXPECT_TRUE(deleted[0] && deleted[1] && deleted[2]);
    EXPECT_EQ(vko_vobj_is_valid(itsControl), FALSE);
}

} // namespace
