// Shared by the settings tests: a job as the Load gets it from a file (the read functions in
// the Load's order), and a job to save built from plain values.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/speed_scale.h"
#include "settings/read_settings.h"
#include "settings/settings_keys.h"
#include "settings/write_settings.h"

struct loaded_job {
  std::vector<std::string> sources;
  std::string dest;
  bool dest_fits;
  int32_t overwrite_all;
  int32_t dont_notify;
  int32_t speed_position;
  int32_t verify;

  bool operator==(const loaded_job&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const loaded_job& job) {
  out << "{sources:";
  for (const std::string& source : job.sources) out << " [" << source << "]";
  return out << ", dest: [" << job.dest << "]" << (job.dest_fits ? "" : " (too long)")
             << ", overwriteall: " << job.overwrite_all << ", dontnotify: " << job.dont_notify
             << ", speed: " << job.speed_position << ", verify: " << job.verify << "}";
}

inline loaded_job load_job(const std::string& path) {
  loaded_job job{};
  const char* file = path.c_str();
  read_sources(
      file, read_source_count(file),
      [](void* context, const char* source) {
        static_cast<loaded_job*>(context)->sources.push_back(source);
        return true;
      },
      &job);
  char dest[settings_value_size];
  job.dest_fits = read_dest(file, dest);
  job.dest = dest;
  job.overwrite_all = read_option(file, key_overwrite_all);
  job.dont_notify = read_option(file, key_dont_notify);
  job.speed_position = read_speed_position(file);
  job.verify = read_option(file, key_verify);
  return job;
}

// What a file without the section loads as.
inline loaded_job default_job() { return loaded_job{{}, "", true, 0, 0, slider_start_position, 0}; }

inline std::unique_ptr<job_settings> job_to_save(const std::vector<std::string>& sources,
                                                 const std::string& dest, int32_t overwrite_all,
                                                 int32_t dont_notify, int32_t speed_position,
                                                 int32_t verify = 0) {
  auto job = std::make_unique<job_settings>();
  job->source_count = static_cast<int32_t>(sources.size());
  for (size_t i = 0; i < sources.size(); ++i)
    snprintf(job->sources[i], sizeof job->sources[i], "%s", sources[i].c_str());
  snprintf(job->dest, sizeof job->dest, "%s", dest.c_str());
  job->overwrite_all = overwrite_all;
  job->dont_notify = dont_notify;
  job->speed_position = speed_position;
  job->verify = verify;
  return job;
}

// The same job as the Load should give it back.
inline loaded_job as_loaded(const job_settings& job) {
  loaded_job loaded{{}, job.dest, true, job.overwrite_all == 1, job.dont_notify == 1,
                    job.speed_position, job.verify == 1};
  for (int32_t i = 0; i < job.source_count; ++i)
    if (job.sources[i][0] != '\0') loaded.sources.push_back(job.sources[i]);
  return loaded;
}
