// Tests of RWCollectable storage: the factory, framed store and restore through the
// virtual streams and RWFile, and shared references restored as shared.
#include "vkocoll/collect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "vkocoll/collstr.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace {

constexpr RWClassID kPointId = 20109;

// A program class with a value of its own, registered with the factory by the test.
class Point : public RWCollectable {
public:
    Point() = default;
    Point(float h, float v) : h_(h), v_(v) {}
    RWCollectable* newSpecies() const override { return new Point; }
    RWCollectable* copy() const override { return new Point(*this); }
    RWClassID isA() const override { return kPointId; }
    std::size_t binaryStoreSize() const override { return 8; }
    bool isEqual(const RWCollectable* other) const override
    {
        const auto* p = dynamic_cast<const Point*>(other);
        return p != nullptr && p->h_ == h_ && p->v_ == v_;
    }
    void saveGuts(RWvostream& out) const override { out << h_ << v_; }
    void saveGuts(RWFile& file) const override
    {
        file.Write(h_);
        file.Write(v_);
    }
    void restoreGuts(RWvistream& in) override { in >> h_ >> v_; }
    void restoreGuts(RWFile& file) override
    {
        file.Read(h_);
        file.Read(v_);
    }

private:
    float h_ = 0;
    float v_ = 0;
};

RWCollectable* makePoint() { return new Point; }

class CollectTest : public testing::Test {
protected:
    void SetUp() override { rwAddToFactory(makePoint, kPointId, "Point"); }
    void TearDown() override
    {
        rwRemoveFromFactory(kPointId);
        std::filesystem::remove(path_);
    }
    std::string path_ = (std::filesystem::temp_directory_path() /
                         ("vkocoll_collect_" + std::to_string(::getpid()) + ".bin"))
                            .string();
};

TEST_F(CollectTest, FactoryCreatesByClassIdAndForgets)
{
    RWCollectable* made = getRWFactory()->create(kPointId);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), kPointId);
    delete made;
    EXPECT_EQ(getRWFactory()->classID("Point"), kPointId);

    made = getRWFactory()->create(kRWCollectableStringId);
    ASSERT_NE(made, nullptr) << "the library's own classes are known from the start";
    EXPECT_EQ(made->isA(), kRWCollectableStringId);
    delete made;

    rwRemoveFromFactory("Point");
    EXPECT_EQ(getRWFactory()->create(kPointId), nullptr);
    EXPECT_NE(nextAtom(), nextAtom());
}

// Builds a list holding one point twice, a string and a nil, saves it through save and
// restores it through restore, and checks the shape of what came back.
template <typename Save, typename Restore> void roundTrip(Save save, Restore restore)
{
    Point shared(1.5f, -2.0f);
    RWCollectableString word("word");
    RWOrdered list;
    list.insert(&shared);
    list.insert(&word);
    list.insert(&shared);
    list.insert(nullptr);
    save(static_cast<const RWCollectable&>(list));

    RWCollectable* back = restore();
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->isA(), kRWOrderedId);
    auto* got = static_cast<RWOrdered*>(back);
    ASSERT_EQ(got->entries(), 4u);
    EXPECT_TRUE((*got)[0]->isEqual(&shared));
    EXPECT_NE((*got)[0], &shared) << "a new object was made";
    EXPECT_EQ((*got)[2], (*got)[0]) << "two references to one object come back as one";
    EXPECT_TRUE((*got)[1]->isEqual(&word));
    EXPECT_EQ((*got)[3], nullptr);
    got->clearAndDestroy();
    delete got;
}

TEST_F(CollectTest, SharedReferencesSurviveAStreamRoundTrip)
{
    std::stringstream buf;
    RWbostream out(buf);
    RWbistream in(buf);
    roundTrip([&](const RWCollectable& obj) { out << obj; },
              [&]() {
                  RWCollectable* obj = nullptr;
                  in >> obj;
                  EXPECT_TRUE(in.good());
                  return obj;
              });
}

TEST_F(CollectTest, SharedReferencesSurviveAFileRoundTrip)
{
    {
        RWFile file(path_.c_str(), "wb");
        roundTrip([&](const RWCollectable& obj) { file << obj; },
                  [&]() {
                      file.Flush();
                      RWFile reader(path_.c_str(), "rb");
                      RWCollectable* obj = nullptr;
                      reader >> obj;
                      return obj;
                  });
    }
}

TEST_F(CollectTest, RestoresIntoAnObjectOfTheStoredClassOnly)
{
    std::stringstream buf;
    RWbostream out(buf);
    const RWCollectableString word("word");
    out << word << word;
    RWbistream in(buf);
    RWCollectableString back;
    in >> back;
    EXPECT_TRUE(in.good());
    EXPECT_EQ(back, "word");
    EXPECT_EQ(back.isA(), kRWCollectableStringId);

    std::stringstream buf2;
    RWbostream out2(buf2);
    out2 << word;
    RWbistream in2(buf2);
    Point wrong_class;
    in2 >> wrong_class;
    EXPECT_TRUE(in2.fail()) << "a string is not restored into a point";
}

TEST_F(CollectTest, UnknownClassIdFailsTheRestore)
{
    std::stringstream buf;
    RWbostream out(buf);
    const Point p(1, 2);
    out << p;
    rwRemoveFromFactory(kPointId);
    RWbistream in(buf);
    RWCollectable* obj = nullptr;
    in >> obj;
    EXPECT_EQ(obj, nullptr);
    EXPECT_TRUE(in.fail());

    std::stringstream junk("X");
    RWbistream bad(junk);
    EXPECT_EQ(RWCollectable::recursiveRestoreFrom(bad), nullptr);
    EXPECT_TRUE(bad.fail());
}

// Writes the framing by hand: tag, class id, then the ordered list's count.
std::string framedList(long count)
{
    std::stringstream buf;
    RWbostream out(buf);
    out << 'O' << static_cast<unsigned short>(kRWOrderedId) << count;
    return buf.str();
}

TEST_F(CollectTest, MalformedInputFailsWithoutCrashing)
{
    struct Case {
        const char* why;
        std::string bytes;
        bool object_answered;  // the partly restored object comes back
        std::size_t items;     // the items it holds (partly restored ones included)
    };
    const Case cases[] = {
        {"empty input", "", false, 0},
        {"unknown tag", "Z", false, 0},
        {"reference before any object", std::string("R\0\0\0\0", 5), false, 0},
        {"class id cut short", "O\x04", false, 0},
        {"negative count", framedList(-1), true, 0},
        {"huge count with nothing after it", framedList(0x7fffffff), true, 0},
        {"string with a huge length", framedList(1) + "O" + std::string("\x02\x80", 2) +
                                           std::string("\xff\xff\xff\x7f", 4) + "abc",
         true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::stringstream buf(c.bytes);
        RWbistream in(buf);
        RWCollectable* obj = RWCollectable::recursiveRestoreFrom(in);
        EXPECT_TRUE(in.fail());
        EXPECT_EQ(obj != nullptr, c.object_answered);
        if (auto* list = dynamic_cast<RWOrdered*>(obj)) {
            EXPECT_EQ(list->entries(), c.items);
            list->clearAndDestroy();
        }
        delete obj;
    }
}

TEST_F(CollectTest, FileStoresFloatAndLongInFourBytes)
{
    {
        RWFile file(path_.c_str(), "wb");
        ASSERT_TRUE(file.isValid());
        EXPECT_TRUE(file.Write(2.5f));
        EXPECT_EQ(file.CurOffset(), 4);
        EXPECT_TRUE(file.Write(-123456L));
        EXPECT_EQ(file.CurOffset(), 8);
    }
    EXPECT_EQ(std::filesystem::file_size(path_), 8u);
    RWFile file(path_.c_str(), "rb");
    float f = 0;
    long l = 0;
    EXPECT_TRUE(file.Read(f));
    EXPECT_TRUE(file.Read(l));
    EXPECT_EQ(f, 2.5f);
    EXPECT_EQ(l, -123456L);
    EXPECT_FALSE(file.Read(l)) << "nothing left";
    EXPECT_EQ(l, -123456L);
}

} // namespace
