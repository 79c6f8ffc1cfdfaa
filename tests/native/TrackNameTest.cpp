#include <gtest/gtest.h>

#include "generator/TrackName.h"

namespace melodex {
namespace {

struct TrackNameCase {
  const wchar_t* fileName;
  const wchar_t* linkText;
};

class CleanTrackNameTest : public ::testing::TestWithParam<TrackNameCase> {};

TEST_P(CleanTrackNameTest, GivesTheLinkText) {
  EXPECT_EQ(CleanTrackName(GetParam().fileName), GetParam().linkText);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CleanTrackNameTest,
    ::testing::Values(
        TrackNameCase{L"01 - Intro.mp3", L" - Intro"}, TrackNameCase{L"01_Intro.mp3", L" Intro"},
        TrackNameCase{L"1_Song.mp3", L" Song"}, TrackNameCase{L"7Up.mp3", L"Up"},
        TrackNameCase{L"123 Song.mp3", L"3 Song"}, TrackNameCase{L"A1Song.mp3", L"ASong"},
        TrackNameCase{L"Track_07.mp3", L"Track 07"},
        TrackNameCase{L"[Band] Song (Remix).mp3", L"Band Song Remix"},
        TrackNameCase{L"09_(Live)_Take.mp3", L" Live Take"}, TrackNameCase{L"a__b.mp3", L"a  b"},
        TrackNameCase{L"my_song.MP3", L"my song"}, TrackNameCase{L"{x}-y.mp3", L"{x}-y"},
        TrackNameCase{L"12.mp3", L""}, TrackNameCase{L".mp3", L""},
        // The cut counts characters and never looks for the dot.
        TrackNameCase{L"Song.flac", L"Song."}, TrackNameCase{L"mp3", L""},
        // Only ASCII digits are track numbers.
        TrackNameCase{L"\u0661\u0662x.mp3", L"\u0661\u0662x"}),
    [](const ::testing::TestParamInfo<TrackNameCase>& info) {
      return "Name" + std::to_string(info.index);
    });

}  // namespace
}  // namespace melodex
