// The rate meter against a clock that only the test moves: samples, average, estimate and
// the two status lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "engine/job_data.h"
#include "engine/rate_meter.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/recording_reports.h"

namespace {
constexpr int64_t start_ms = 1700000000LL * 1000;

class RateMeter : public testing::Test {
 protected:
  void SetUp() override {
    fake_clock_reset(start_ms);
    recording_reports_reset();
    job_data.total_bytes = 0;
    job_data.sampled_bytes = 0;
    rate_meter_start(meter);
    rate_meter_file_start(meter);
  }

  void after_seconds(int seconds, uint32_t bytes, int32_t files_left = 3) {
    fake_clock_advance(seconds * 1000LL);
    rate_meter_chunk_done(meter, bytes, files_left);
  }

  std::vector<std::string> texts_of(report_kind kind) {
    std::vector<std::string> texts;
    for (const job_report& report : recorded_reports())
      if (report.kind == kind)
        texts.push_back(report.text);
    return texts;
  }

  rate_meter meter{};
};

TEST_F(RateMeter, FirstSampleSetsTheAverageAndLeavesTheEstimateAlone) {
  after_seconds(1, 900);
  EXPECT_EQ(meter.average_rate, 900u);
  EXPECT_EQ(job_data.sampled_bytes, 900u);
  EXPECT_EQ(texts_of(report_kind::status_line),
            std::vector<std::string>{"时间: 0分钟 01秒 | 速度 : 0.90 kb/秒 | 剩余: 3 "});
  EXPECT_TRUE(texts_of(report_kind::estimate_line).empty());
}

TEST_F(RateMeter, LaterSamplesAverageByHalvingAndDropTheRemainder) {
  after_seconds(1, 900);
  after_seconds(1, 300);
  EXPECT_EQ(meter.average_rate, 600u);

  rate_meter_start(meter);
  rate_meter_file_start(meter);
  after_seconds(1, 1);
  after_seconds(1, 2);
  EXPECT_EQ(meter.average_rate, 1u);
}

TEST_F(RateMeter, SampleDividesByWholeSecondsOfTheInterval) {
  after_seconds(2, 901);
  EXPECT_EQ(meter.average_rate, 450u);
  EXPECT_EQ(job_data.sampled_bytes, 450u);
}

TEST_F(RateMeter, SamplesAtMostOncePerClockSecond) {
  for (int i = 0; i < 9; ++i) {
    fake_clock_advance(100);
    rate_meter_chunk_done(meter, 1024, 5);
  }
  EXPECT_TRUE(recorded_reports().empty());
  fake_clock_advance(100);  // the tenth chunk crosses into the next second
  rate_meter_chunk_done(meter, 1024, 5);
  EXPECT_EQ(meter.average_rate, 10240u);
  EXPECT_EQ(texts_of(report_kind::status_line),
            std::vector<std::string>{"时间: 0分钟 01秒 | 速度 : 10.24 kb/秒 | 剩余: 5 "});
}

TEST_F(RateMeter, BytesOfEarlierFilesCountInTheNextSample) {
  fake_clock_advance(400);
  rate_meter_chunk_done(meter, 300, 2);  // a short file, no second boundary crossed
  rate_meter_file_start(meter);
  fake_clock_advance(700);
  rate_meter_chunk_done(meter, 200, 1);
  EXPECT_EQ(meter.average_rate, 500u);
}

TEST_F(RateMeter, EstimateDividesTheBytesLeftByTheNewAverage) {
  job_data.total_bytes = 700;
  after_seconds(1, 9);  // first sample: average 9, sampled 9
  job_data.sampled_bytes = 199;
  after_seconds(1, 1);  // average (9 + 1) / 2 = 5, sampled 200
  ASSERT_EQ(meter.average_rate, 5u);
  EXPECT_EQ(texts_of(report_kind::estimate_line),
            std::vector<std::string>{"估计完成时间: 1分钟 40秒              "});
  // The estimate comes before the speed line.
  std::vector<job_report> reports = recorded_reports();
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[1].kind, report_kind::estimate_line);
  EXPECT_EQ(reports[2].kind, report_kind::status_line);
}

TEST_F(RateMeter, MoreBytesThanScannedLeaveNothingToEstimate) {
  job_data.total_bytes = 100;
  after_seconds(1, 100);
  after_seconds(1, 100);  // average 100, sampled 200: a file grew after the scan
  EXPECT_EQ(texts_of(report_kind::estimate_line).back(), "估计完成时间: 0分钟 00秒              ");
}

TEST_F(RateMeter, PauseHalvesTheAverageOnceASecondAndEmptiesTheEstimate) {
  after_seconds(1, 800);
  fake_clock_advance(500);
  std::vector<uint64_t> averages;
  for (int tick = 0; tick < 4; ++tick) {
    fake_clock_advance(1000);
    rate_meter_pause_tick(meter, 2);
    averages.push_back(meter.average_rate);
  }
  EXPECT_EQ(averages, (std::vector<uint64_t>{400, 200, 100, 50}));
  EXPECT_EQ(job_data.sampled_bytes, 800u) << "paused samples are not added";
  EXPECT_EQ(texts_of(report_kind::status_line).back(),
            "时间: 0分钟 05秒 | 当前速度 : 0.05 kb/秒 | 剩余文件: 2       ");
  EXPECT_EQ(texts_of(report_kind::estimate_line).back(), "");
}

TEST_F(RateMeter, FirstPausedSampleHoldsTheBytesReadBeforeThePause) {
  fake_clock_advance(300);
  rate_meter_chunk_done(meter, 900, 1);
  fake_clock_advance(700);
  rate_meter_pause_tick(meter, 1);
  EXPECT_EQ(meter.average_rate, 900u);
  EXPECT_EQ(job_data.sampled_bytes, 0u);
}

TEST_F(RateMeter, AnAverageOfZeroLeavesTheEstimateAsItWas) {
  job_data.total_bytes = 1000;
  after_seconds(1, 1);  // average 1
  fake_clock_advance(1000);
  rate_meter_pause_tick(meter, 1);  // sample 0: average 0
  ASSERT_EQ(meter.average_rate, 0u);
  after_seconds(1, 0);  // would divide by zero
  EXPECT_EQ(texts_of(report_kind::estimate_line), std::vector<std::string>{""});
}

TEST_F(RateMeter, ClockSetBackGivesASampleOfZero) {
  after_seconds(1, 1000);
  fake_clock_advance(-5000);
  rate_meter_chunk_done(meter, 1000, 1);
  EXPECT_EQ(meter.average_rate, 500u);
  EXPECT_EQ(texts_of(report_kind::status_line).back(), "时间: 0分钟 -4秒 | 速度 : 0.50 kb/秒 | 剩余: 1 ");
}

TEST_F(RateMeter, SpeedsBeyondTwoGigabytesPerSecondStayPositive) {
  job_data.total_bytes = 40000000000ULL;
  for (int i = 0; i < 3; ++i) {
    fake_clock_advance(250);
    rate_meter_chunk_done(meter, 1000000000u, 1);
  }
  fake_clock_advance(250);
  rate_meter_chunk_done(meter, 1000000000u, 1);  // 4e9 bytes in one second
  EXPECT_EQ(meter.average_rate, 4000000000u);
  EXPECT_EQ(job_data.sampled_bytes, 4000000000u);
  EXPECT_EQ(texts_of(report_kind::status_line).back(),
            "时间: 0分钟 01秒 | 速度 : 4000000.25 kb/秒 | 剩余: 1 ");  // single precision
  after_seconds(1, 0);  // average 2e9, 36e9 bytes left: 18 s
  EXPECT_EQ(texts_of(report_kind::estimate_line).back(), "估计完成时间: 0分钟 18秒              ");
}
}  // namespace
