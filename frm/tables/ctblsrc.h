// ctblsrc.h: what a table and its data source know of each other. A table holds at most one
// source (not owned) and asks it for cell values; a source serves one table, registering with
// it and widening its cell bounds as rows and sizes arrive. A source that keeps a pointer to a
// table enrols with it, and the table tells each enrolled source when it goes, so a source may
// outlive its table.
#pragma once
#include <vector>
#include "frm/core/crect.h"

class FRM_CTableSourceHost;
class FRM_CTdiValue;

// The abstract data source of a table.
class FRM_CTableSource {
public:
    virtual ~FRM_CTableSource() = default;
    // Gets ready to serve a block of cells.
    virtual void Prime(const FRM_CBounds& bounds) = 0;
    // The cell's value, owned by the source and valid until its next call; null when none.
    virtual const FRM_CTdiValue* GetTableData(const FRM_CCell& cell) = 0;
    // Stores a cell's value; 0 when refused.
    virtual short PutTableData(const FRM_CCell& cell, const FRM_CTdiValue* value) = 0;
    // The table the source enrolled with is going: the source must not use it any more.
    virtual void TableGone(FRM_CTableSourceHost* table);
};

// The side of a table that a data source talks to: its source slot and its cell bounds.
class FRM_CTableSourceHost {
public:
    virtual void SetSource(FRM_CTableSource* source) = 0;
    virtual FRM_CTableSource* GetSource() const = 0;
    virtual FRM_CBounds GetCellBounds() const = 0;
    virtual void SetCellBounds(const FRM_CBounds& bounds) = 0;

    // A source that keeps a pointer to this table enrols; it leaves before it goes itself.
    void Enrol(FRM_CTableSource* source);
    void Leave(FRM_CTableSource* source);

protected:
    FRM_CTableSourceHost() = default;
    // The enrolments stay with this table: a copy starts with none.
    FRM_CTableSourceHost(const FRM_CTableSourceHost&) {}
    // Hand-written: the enrolments stay with this table; nothing is copied.
    FRM_CTableSourceHost& operator=(const FRM_CTableSourceHost&) { return *this; }
    // Tells every enrolled source that the table is gone.
    ~FRM_CTableSourceHost();

private:
    std::vector<FRM_CTableSource*> itsEnrolled;   // not owned
};
