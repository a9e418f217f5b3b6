// Value wrappers: comparison and equality rules, assignment without notification, and stored
// forms that come back through the container library's factory.
#include "frm/core/cvaluerwc.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace {

TEST(ValueRWC, ComparisonAndEqualityRules)
{
    const FRM_CFloatRWC f12(1.2f), f19(1.9f), fBig(3e9f), fSmall(-3e9f);
    const FRM_CPointRWC point(0, 0);
    const FRM_CRectRWC rect(0, 0, 0, 0), r1(0, 0, 10, 5), r2(3, 3, 13, 100), r3(0, 0, 5, 5);
    const FRM_CLongRWC lLow(-2000000000), lHigh(2000000000), lSame(2000000000);
    const FRM_CStringRWC sA("apple"), sB("Apple");
    struct Case {
        const char* why;
        const RWCollectable* a;
        const RWCollectable* b;
        int compare;   // sign of compareTo
        bool equal;
    };
    const Case cases[] = {
        {"floats within one compare equal but are not equal", &f12, &f19, 0, false},
        {"a float difference beyond int range is clamped", &fBig, &fSmall, 1, false},
        {"point and rectangle are never equal", &point, &rect, 2, false},
        {"rectangles compare by width only", &r1, &r2, 0, false},
        {"a narrower rectangle is smaller", &r3, &r1, -1, false},
        {"far-apart longs keep their order", &lLow, &lHigh, -1, false},
        {"equal longs", &lHigh, &lSame, 0, true},
        {"strings compare exactly", &sA, &sB, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const int compare = c.a->compareTo(c.b);
        if (c.compare != 2) {
            EXPECT_EQ((compare > 0) - (compare < 0), c.compare);
        }
        EXPECT_EQ(c.a->isEqual(c.b), c.equal);
    }
    EXPECT_TRUE(FRM_CRectRWC(r1).isEqual(&r1));
    EXPECT_EQ(fBig.hash(), 2147483647u);   // value * 1000 clamped
}

TEST(ValueRWC, ComparingWithAnotherClassDoesNotReadItAsAValue)
{
    const FRM_CFloatRWC number(1.0f);
    const FRM_CStringRWC text("1");
    const FRM_CLongRWC whole(1);
    // The library's default order: consistent both ways, and 0 only for the object itself.
    EXPECT_EQ(number.compareTo(&text), -text.compareTo(&number));
    EXPECT_NE(number.compareTo(&whole), 0);
    EXPECT_FALSE(whole.isEqual(&number));
}

// A wrapper that counts the changes it is told about.
class CountingPoint : public FRM_CPointRWC {
public:
    using FRM_CPointRWC::FRM_CPointRWC;
    short DoChangeModel(long, FRM_CNotifier*, long, const FRM_CModel*) override
    {
        ++changes;
        return 0;
    }
    int changes = 0;
};

TEST(ValueRWC, AssignmentCopiesTheValueSilently)
{
    CountingPoint target(1, 1);
    const FRM_CPointRWC source(4, 5);
    static_cast<FRM_CPointRWC&>(target) = source;
    EXPECT_EQ(target.H(), 4);
    EXPECT_EQ(target.V(), 5);
    EXPECT_EQ(target.changes, 0);
}

// A file under /tmp that is removed afterwards.
class TempFile {
public:
    TempFile() : itsName("/tmp/frm_valuerwc_" + std::to_string(getpid())) {}
    ~TempFile() { std::remove(itsName.c_str()); }
    const char* Name() const { return itsName.c_str(); }

private:
    std::string itsName;
};

TEST(ValueRWC, PointStoresEightBytesHThenV)
{
    const TempFile temp;
    {
        RWFile file(temp.Name(), "wb+");
        FRM_CPointRWC(1.5f, -2.0f).saveGuts(file);
        EXPECT_EQ(file.CurOffset(), 8);
        file.SeekToBegin();
        float h = 0, v = 0;
        ASSERT_TRUE(file.Read(h) && file.Read(v));
        EXPECT_EQ(h, 1.5f);
        EXPECT_EQ(v, -2.0f);
    }
}

// Stores one wrapper and restores it through the factory, by file and by stream.
template <class T>
void ExpectRoundTrip(const T& original)
{
    const TempFile temp;
    {
        RWFile out(temp.Name(), "wb+");
        out << original;
    }
    RWFile in(temp.Name(), "rb");
    T* restored = nullptr;
    in >> restored;
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->isEqual(&original));
    delete restored;

    std::stringstream bytes;
    RWbostream streamOut(bytes);
    streamOut << original;
    RWbistream streamIn(bytes);
    T* again = nullptr;
    streamIn >> again;
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isEqual(&original));
    delete again;
}

TEST(ValueRWC, EveryWrapperComesBackThroughTheFactory)
{
    ExpectRoundTrip(FRM_CFloatRWC(2.25f));
    ExpectRoundTrip(FRM_CRectRWC(1, 2, 3, 4));
    ExpectRoundTrip(FRM_CPointRWC(7, 8));
    ExpectRoundTrip(FRM_CStringRWC("entry word"));
    ExpectRoundTrip(FRM_CLongRWC(-123456));
    ExpectRoundTrip(FRM_CStringCollectionRWC(FRM_CStringCollection(FRM_CStringRW("a,bb,ccc"))));
}

TEST(ValueRWC, RestoringAnotherClassGivesNull)
{
    std::stringstream bytes;
    RWbostream out(bytes);
    out << FRM_CPointRWC(1, 2);
    RWbistream in(bytes);
    FRM_CRectRWC* rect = nullptr;
    in >> rect;
    EXPECT_EQ(rect, nullptr);
}

} // namespace
