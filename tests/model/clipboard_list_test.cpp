#include "model/clipboard_list.h"

#include <gtest/gtest.h>

#include "byte_test_util.h"

namespace tw {
namespace {

using test::Bytes;

TEST(ClipboardList, CommandArchiveLayout) {
    CommandFlag flag(true, "kMet");
    flag.SetCondition(std::make_unique<Conditional>("a"));
    const CommandConditionalVariable cassign("$v", "t", "x", "y");
    const CommandReply reply("$r");
    const NodeCommand* commands[] = {&flag, &cassign, &reply};
    const std::string expected = Bytes()
                                     .Int(3)
                                     .Int(1)
                                     .Int(1)
                                     .AStr("set kMet = TRUE")
                                     .Int(1)
                                     .AStr("a")
                                     .Int(1)
                                     .AStr("kMet")
                                     .Int(2)
                                     .Int(2)
                                     .AStr("$v = if (t) then (x) else (y)")
                                     .Int(0)
                                     .AStr("$v")
                                     .AStr("x")
                                     .AStr("y")
                                     .AStr("t")
                                     .Int(7)
                                     .Int(7)
                                     .AStr("reply $r")
                                     .Int(0)
                                     .str();
    EXPECT_EQ(NodeCommandList::Serialize(commands), expected);
}

TEST(ClipboardList, ResponseArchiveLayoutAndPaste) {
    NodeResponseAdd add("A01");
    add.SetPlayerText("Hi");
    add.SetGotoNode("N2");
    add.SetCondition(std::make_unique<Conditional>("$x > 1"));
    NodeResponseCut cut;
    cut.SetCutTag("B01");
    cut.SetCutText("Old");
    const NodeResponse* responses[] = {&add, &cut};
    const std::string expected = Bytes()
                                     .Int(2)
                                     .Int(0)
                                     .Int(0)
                                     .AStr("A01")
                                     .Int(1)
                                     .AStr("$x > 1")
                                     .AStr("Hi")
                                     .AStr("N2")
                                     .Int(1)
                                     .Int(1)
                                     .AStr("")
                                     .Int(0)
                                     .AStr("B01")
                                     .AStr("Old")
                                     .str();
    ASSERT_EQ(NodeResponseList::Serialize(responses), expected);

    NodeResponseList list;
    ASSERT_TRUE(list.Parse(expected));
    std::vector<std::unique_ptr<NodeResponse>> pasted = list.TakeAll();
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(list.GetCount(), 0u);
    const auto& pastedAdd = dynamic_cast<const NodeResponseAdd&>(*pasted[0]);
    EXPECT_EQ(pastedAdd.GetTag(), "A01");
    EXPECT_EQ(pastedAdd.GetCondition()->GetExpression(), "$x > 1");
    EXPECT_EQ(pastedAdd.GetPlayerText(), "Hi");
    EXPECT_EQ(pastedAdd.GetGotoNode(), "N2");
    const auto& pastedCut = dynamic_cast<const NodeResponseCut&>(*pasted[1]);
    EXPECT_EQ(pastedCut.GetType(), kResponseCut);
    EXPECT_FALSE(pastedCut.HasCondition());
    EXPECT_EQ(pastedCut.GetCutTag(), "B01");
    EXPECT_EQ(pastedCut.GetCutText(), "Old");
}

TEST(ClipboardList, ResponseTypeOtherThanZeroPastesAsCut) {
    NodeResponseList list;
    ASSERT_TRUE(list.Parse(Bytes().Int(1).Int(7).Int(7).AStr("t").Int(0).AStr("c").AStr("x")));
    EXPECT_EQ(list.GetAt(0)->GetType(), kResponseCut);
}

TEST(ClipboardList, PastedReplyRecoversItsVariable) {
    NodeCommandList list;
    ASSERT_TRUE(list.Parse(Bytes().Int(1).Int(7).Int(7).AStr("reply $name").Int(0)));
    const auto& reply = dynamic_cast<const CommandReply&>(*list.GetAt(0));
    EXPECT_EQ(reply.GetVariable(), "$name");
    EXPECT_EQ(reply.GetText(), "reply $name");
}

TEST(ClipboardList, DamagedOrUnknownArchivesKeepNothing) {
    const std::string good = Bytes().Int(1).Int(6).Int(6).AStr("goto A").Int(0).AStr("A").str();
    const std::pair<std::string, std::string> cases[] = {
        {"", "it ends before its count of elements"},
        {good.substr(0, good.size() - 1), "it ends inside element 1 of 1"},
        {Bytes().Int(2).Raw(good.substr(4)).Int(9).Int(9).AStr("x").Int(0).str(),
         "element 2 of 2 has the unknown type code 9"},
        {Bytes().Int(1).Int(-1).str(), "element 1 of 1 has the unknown type code -1"},
        {Bytes().Int(1).Int(6).Int(6).Int(-5).str(), "it ends inside element 1 of 1"},
        {Bytes().Int(1).Int(6).Int(6).Int(0x7FFFFFFF).str(), "it ends inside element 1 of 1"},
        {Bytes().Int(0x7FFFFFFF).Raw(good.substr(4)).str(),
         "it ends inside element 2 of 2147483647"},
        {Bytes().Int(-1).str(), "its count of elements is negative (-1)"},
    };
    for (const auto& [bytes, reason] : cases) {
        NodeCommandList list(3);
        EXPECT_EQ(list.Read(bytes), reason);
        EXPECT_FALSE(list.Parse(bytes));
        EXPECT_EQ(list.GetCount(), 0u);
    }
    EXPECT_EQ(UnreadablePasteMessage("commands", "it ends inside element 1 of 1"),
              "The clipboard does not hold commands this editor can read: it ends inside element 1 "
              "of 1.");
    NodeCommandList list;
    ASSERT_TRUE(list.Parse(good));
    EXPECT_EQ(dynamic_cast<const CommandGoto&>(*list.GetAt(0)).GetNode(), "A");
}

TEST(ClipboardList, SlotsSerialiseWhatIsSet) {
    NodeCommandList list(2);
    EXPECT_EQ(list.GetCount(), 2u);
    list.SetAt(1, std::make_unique<CommandEnd>());
    NodeCommandList pasted;
    ASSERT_TRUE(pasted.Parse(list.Serialize()));
    ASSERT_EQ(pasted.GetCount(), 1u);
    EXPECT_EQ(pasted.GetAt(0)->GetText(), "END CONVERSATION");
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
}

}  // namespace
}  // namespace tw
