// table_fixture.h: a table view in a window of a running framework, with a source that
// serves text values from a map and records what is stored.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "../support/frm_app_fixture.h"
#include "frm/core/ctdivalue.h"
#include "frm/drawing/cenviron.h"
#include "frm/tables/ctblsrc.h"
#include "frm/tables/ctblview.h"

namespace tabletest {

class MapSource : public FRM_CTableSource {
public:
    void Prime(const FRM_CBounds& theCells) override { itsPrimed.push_back(theCells); }
    const FRM_CTdiValue* GetTableData(const FRM_CCell& theCell) override
    {
        auto found = itsValues.find({theCell.V(), theCell.H()});
        if (found == itsValues.end())
            return nullptr;
        itsValue = FRM_CTdiStringValue(FRM_CStringRW(found->second.c_str()), nullptr, 0);
        return &itsValue;
    }
    short PutTableData(const FRM_CCell& theCell, const FRM_CTdiValue* theValue) override
    {
        const std::string text = theValue->ToString().data();
        itsStores.emplace_back(theCell, text);
        if (itsRefuses)
            return 0;
        itsValues[{theCell.V(), theCell.H()}] = text;
        return 1;
    }
    void Set(std::int32_t theRow, std::int32_t theColumn, std::string theText)
    {
        itsValues[{theRow, theColumn}] = std::move(theText);
    }
    // Fills rows x columns with "row,column".
    void Fill(std::int32_t theRows, std::int32_t theColumns)
    {
        for (std::int32_t row = 0; row < theRows; ++row)
            for (std::int32_t column = 0; column < theColumns; ++column)
                Set(row, column, std::to_string(row) + "," + std::to_string(column));
    }

    std::map<std::pair<std::int32_t, std::int32_t>, std::string> itsValues;   // (row, column)
    std::vector<FRM_CBounds> itsPrimed;
    std::vector<std::pair<FRM_CCell, std::string>> itsStores;
    bool itsRefuses = false;

private:
    FRM_CTdiStringValue itsValue;
};

class TableFixture : public frmtest::AppFixture {
protected:
    static constexpr float kRowHeight = 20;
    static constexpr float kColumnWidth = 50;

    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("table", 400, 300);
        itsHandle = itsWindow->GetVKOWindow();
    }

    // A table view of theRows x theColumns cells filling theFrame, its cells served by itsSource.
    FRM_CTableView* NewTableView(std::int32_t theRows, std::int32_t theColumns,
                                 const FRM_CRect& theFrame = FRM_CRect(0, 0, 300, 200))
    {
        auto* view = new FRM_CTableView(itsWindow, theFrame, FRM_CEnvironment::DefaultFont(),
                                        kRowHeight, kColumnWidth);
        view->ITableView(1, 0, FRM_CEnvironment::DefaultFont());
        view->SetCellBounds(FRM_CBounds(0, 0, theRows, theColumns));
        view->SetSource(&itsSource);
        return view;
    }

    // The texts drawn since the log was last cleared.
    std::vector<std::string> DrawnTexts()
    {
        std::vector<std::string> texts;
        for (const vkov_draw_log_entry& entry : Log(itsHandle))
            if (std::string(entry.op) == "draw_text") {
                const std::string args = entry.args;
                const auto quote = args.find('"');
                texts.push_back(args.substr(quote + 1, args.size() - quote - 2));
            }
        return texts;
    }

    MapSource itsSource;
    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

}   // namespace tabletest
