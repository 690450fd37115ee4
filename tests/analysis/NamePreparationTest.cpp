#include "analysis/NamePreparation.h"

#include <gtest/gtest.h>

namespace namori {
namespace {

TEST(CheckName, RefusesNamesOutsideTheRules) {
    const struct {
        std::u16string_view surname, givenName;
        NameProblem problem;
        std::u16string_view character;
    } rows[] = {
        {u"", u"杏奈", NameProblem::Empty, u""},
        {u"白鳥", u"", NameProblem::Empty, u""},
        {u"白鳥田中", u"杏", NameProblem::TooLong, u""},
        {u"白", u"杏奈一郎", NameProblem::TooLong, u""},
        {u"𠮷田", u"杏", NameProblem::UnsupportedCharacter, u"𠮷"},
        {u"白鳥", u"丂", NameProblem::UnsupportedCharacter, u"丂"},
        {u"白\t", u"杏", NameProblem::UnsupportedCharacter, u"\t"},
        {u"白", u"\xDC00", NameProblem::UnsupportedCharacter, u"\xDC00"},
        {u"　", u"杏", NameProblem::Blank, u"　"},
        {u"佐 ", u"杏", NameProblem::Blank, u" "},
        {u"白鳥", u"杏　奈", NameProblem::Blank, u"　"},
    };
    for (const auto& row : rows) {
        const NamePreparation result = CheckName(row.surname, row.givenName);
        EXPECT_EQ(result.problem, row.problem);
        EXPECT_EQ(result.character, row.character);
        EXPECT_FALSE(result.message.empty());
    }
    const NamePreparation unregistered = UnregisteredProblem({u"犬", u"子"});
    EXPECT_EQ(unregistered.problem, NameProblem::Unregistered);
    EXPECT_NE(unregistered.message.find(u"犬、子"), std::u16string::npos);
}

}  // namespace
}  // namespace namori
