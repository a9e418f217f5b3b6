// ctblsrc.cpp: the enrolment of sources with the table they keep a pointer to.
#include "frm/tables/ctblsrc.h"

#include <algorithm>

void FRM_CTableSource::TableGone(FRM_CTableSourceHost*) {}

void FRM_CTableSourceHost::Enrol(FRM_CTableSource* source)
{
    if (source != nullptr &&
        std::find(itsEnrolled.begin(), itsEnrolled.end(), source) == itsEnrolled.end())
        itsEnrolled.push_back(source);
}

void FRM_CTableSourceHost::Leave(FRM_CTableSource* source) { std::erase(itsEnrolled, source); }

FRM_CTableSourceHost::~FRM_CTableSourceHost()
{
    // Each source may leave while it hears it: walk a copy.
    const std::vector<FRM_CTableSource*> enrolled = itsEnrolled;
    for (FRM_CTableSource* source : enrolled)
        source->TableGone(this);
}
