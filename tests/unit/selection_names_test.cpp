#include <gtest/gtest.h>

#include <string>

#include "scene/selection_names.h"

namespace {

TEST(SelectionNames, IdsAreHandedOutInOrderAndGiveTheirTextsBack)
{
    EXPECT_EQ(SelectedNamesCount, 1);
    EXPECT_STREQ(get_name_from_id(0), "");

    unsigned int table = 0, room = 0;
    set_id_and_name(&table, "Sitzplaetze und Tisch");
    set_id_and_name(&room, "Waende und Boden");
    EXPECT_EQ(table, 1u);
    EXPECT_EQ(room, 2u);
    EXPECT_EQ(SelectedNamesCount, 3);
    EXPECT_STREQ(get_name_from_id(1), "Sitzplaetze und Tisch");
    EXPECT_STREQ(get_name_from_id(2), "Waende und Boden");

    // No search for an equal text: the same text twice is two ids.
    unsigned int again = 0;
    set_id_and_name(&again, "Waende und Boden");
    EXPECT_EQ(again, 3u);
}

TEST(SelectionNames, UnknownIdsNameNothing)
{
    unsigned int id = 0;
    set_id_and_name(&id, "A1");
    EXPECT_STREQ(get_name_from_id(2), "");
    EXPECT_STREQ(get_name_from_id(199), "");
    EXPECT_STREQ(get_name_from_id(4000000000u), "");
}

TEST(SelectionNames, AFullTableRefusesSilentlyAndKeepsTheIdAtZero)
{
    for (int i = 1; i < maxSelectedNames; ++i) {
        unsigned int id = 0;
        set_id_and_name(&id, "X");
        ASSERT_EQ(id, static_cast<unsigned int>(i));
    }
    EXPECT_EQ(SelectedNamesCount, 200);
    unsigned int id = 0;
    set_id_and_name(&id, "one too many");
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(SelectedNamesCount, 200);
}

TEST(SelectionNames, LongTextsKeepTheirTerminator)
{
    const std::string exact31(31, 'a');
    const std::string long40 = std::string(31, 'b') + "ccccccccc";
    unsigned int a = 0, b = 0, c = 0;
    set_id_and_name(&a, exact31.c_str());
    set_id_and_name(&b, long40.c_str());
    set_id_and_name(&c, "C4");
    EXPECT_EQ(get_name_from_id(a), exact31);
    EXPECT_EQ(SelectedNamesList[a][31], '\0');
    EXPECT_EQ(get_name_from_id(b), std::string(31, 'b')); // cut to 31
    EXPECT_STREQ(get_name_from_id(c), "C4");              // its neighbour is untouched
    // A short text is padded with zero bytes.
    for (int i = 2; i < maxNameLength; ++i)
        EXPECT_EQ(SelectedNamesList[c][i], '\0');
}

} // namespace
