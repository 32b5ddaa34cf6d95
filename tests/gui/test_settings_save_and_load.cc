// Save and Load as a user works them: the job assembled in the dialog is written as the
// example settings file reads, and a new Ferrix shows it again after Load.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/settings_fixture.h"

namespace {
class SaveAndLoad : public SettingsFixture {
 protected:
  // Two sources, a destination and Overwrite on, through the folder browser and the box.
  void assemble_job(const std::string& folder) {
    ASSERT_TRUE(file_tree::make_folder(folder + "\\work"));
    ASSERT_TRUE(file_tree::make_folder(folder + "\\photos"));
    ASSERT_TRUE(file_tree::make_folder(folder + "\\backup"));
    ASSERT_TRUE(add_source_folder(folder + "\\work"));
    ASSERT_TRUE(add_source_folder(folder + "\\photos"));
    ASSERT_TRUE(choose_destination_folder(folder + "\\backup"));
    driver::click(dialog, IDC_OVERWRITE_ALL);
    ASSERT_TRUE(driver::is_checked(dialog, IDC_OVERWRITE_ALL));
  }

  // The same job without the folder browser: Load of a file written here.
  void load_prepared_job(const std::string& folder) {
    const std::string path = folder + "\\prepared.frx";
    ASSERT_TRUE(file_tree::write_file(
        path, "[Ferrix]\r\nnsrc=2\r\nsrc0=" + folder + "\\work\r\nsrc1=" + folder +
                  "\\photos\r\ndest=" + folder + "\\backup\r\noverwriteall=1\r\n"));
    ASSERT_TRUE(load_from(path));
    ASSERT_TRUE(driver::wait_until([&] { return driver::is_enabled(dialog, IDC_START_STOP); }));
  }

  std::string file_for(const shown_job& job, int speed) {
    return "[Ferrix]\r\nnsrc=2\r\nsrc0=" + job.sources[0] + "\r\nsrc1=" + job.sources[1] +
           "\r\ndest=" + job.dest + "\r\noverwriteall=1\r\ndontnotify=0\r\nspeed=" +
           std::to_string(speed) + "\r\n";
  }
};

TEST_F(SaveAndLoad, SaveWritesTheJobAsTheExampleFileReadsAndANewFerrixLoadsIt) {
  const std::string folder = scratch("job");
  ASSERT_NO_FATAL_FAILURE(assemble_job(folder));
  const shown_job assembled = shown();
  ASSERT_EQ(assembled.sources.size(), 2u);

  const std::string path = folder + "\\example.frx";
  ASSERT_TRUE(save_as(path));
  EXPECT_TRUE(file_becomes(path, file_for(assembled, 92341)));

  ASSERT_TRUE(restart());
  ASSERT_TRUE(load_from(path));
  EXPECT_TRUE(shows(assembled));
}

TEST_F(SaveAndLoad, ANameWithoutExtensionGetsTheSettingsExtension) {
  const std::string folder = scratch("job");
  ASSERT_NO_FATAL_FAILURE(load_prepared_job(folder));
  const shown_job assembled = shown();
  ASSERT_TRUE(save_as(folder + "\\no extension"));

  WIN32_FIND_DATAA found;
  ASSERT_TRUE(driver::wait_until([&] {
    HANDLE listing = FindFirstFileA((folder + "\\no extension.*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return false;
    FindClose(listing);
    return true;
  })) << "no file was written";
  EXPECT_STRCASEEQ(found.cFileName, "no extension.frx");
  HWND save_dialog = open_file_dialog(IDC_SAVE);  // the name as saved is the one proposed
  EXPECT_NE(file_name_field(save_dialog).find(found.cFileName), std::string::npos)
      << file_name_field(save_dialog);
  ASSERT_TRUE(cancel(save_dialog));

  ASSERT_TRUE(restart());
  // The open dialog under Wine looks for the name as typed before it appends an extension.
  ASSERT_TRUE(load_from(folder + "\\" + found.cFileName));
  EXPECT_TRUE(shows(assembled));
}

TEST_F(SaveAndLoad, SaveProposesTheFileLastSavedOrLoaded) {
  const std::string folder = scratch("job");
  EXPECT_EQ(file_name_field(open_file_dialog(IDC_SAVE)), "") << "nothing saved or loaded yet";
  ASSERT_TRUE(cancel(driver::find_window_of(ferrix, TEXT_SAVE_TITLE)));

  ASSERT_TRUE(save_as(folder + "\\first.frx"));
  HWND save_dialog = open_file_dialog(IDC_SAVE);
  EXPECT_NE(file_name_field(save_dialog).find("first.frx"), std::string::npos)
      << file_name_field(save_dialog);
  ASSERT_TRUE(cancel(save_dialog));

  ASSERT_TRUE(file_tree::write_file(folder + "\\other.frx", "[Other]\r\n"));
  ASSERT_TRUE(load_from(folder + "\\other.frx"));
  save_dialog = open_file_dialog(IDC_SAVE);
  EXPECT_NE(file_name_field(save_dialog).find("other.frx"), std::string::npos)
      << file_name_field(save_dialog);
  ASSERT_TRUE(cancel(save_dialog));
}

TEST_F(SaveAndLoad, CancelChangesNothing) {
  const std::string folder = scratch("job");
  ASSERT_NO_FATAL_FAILURE(load_prepared_job(folder));
  const std::string path = folder + "\\kept.frx";
  ASSERT_TRUE(save_as(path));
  const auto saved_whole = [&] { return read_bytes(path).find("speed=") != std::string::npos; };
  ASSERT_TRUE(driver::wait_until(saved_whole));  // "speed" is written last
  const std::string saved = read_bytes(path);
  const shown_job before = shown();

  ASSERT_TRUE(cancel(open_file_dialog(IDC_LOAD)));
  EXPECT_EQ(shown(), before);

  driver::click(dialog, IDC_DONT_NOTIFY);  // a change that a save would write
  HWND save_dialog = open_file_dialog(IDC_SAVE);
  EXPECT_NE(file_name_field(save_dialog).find("kept.frx"), std::string::npos);
  ASSERT_TRUE(cancel(save_dialog));
  EXPECT_EQ(read_bytes(path), saved);
  EXPECT_EQ(file_tree::files_below(folder), (std::vector<std::string>{"kept.frx", "prepared.frx"}))
      << "a file was written";
}

TEST_F(SaveAndLoad, SaveDuringARunningJobWritesTheJobAsShown) {
  const std::string folder = scratch("job");
  ASSERT_TRUE(file_tree::make_folder(folder + "\\source"));
  ASSERT_TRUE(file_tree::make_folder(folder + "\\dest"));
  // Long enough at the slowest speed to be still running when Save is done.
  ASSERT_TRUE(file_tree::write_file(folder + "\\source\\big.bin",
                                    file_tree::pattern_bytes(4 * 1024 * 1024, 7)));
  const std::string prepared = folder + "\\prepared.frx";
  ASSERT_TRUE(file_tree::write_file(prepared, "[Ferrix]\r\nnsrc=1\r\nsrc0=" + folder +
                                                  "\\source\r\ndest=" + folder +
                                                  "\\dest\r\nspeed=62383\r\n"));
  ASSERT_TRUE(load_from(prepared));
  ASSERT_TRUE(text_becomes(IDC_SPEED_TEXT, speed_text(512)));
  ASSERT_TRUE(enabled_becomes(IDC_START_STOP, true));
  driver::click(dialog, IDC_START_STOP);
  ASSERT_TRUE(text_becomes(IDC_START_STOP, TEXT_STOP));
  driver::click(dialog, IDC_DONT_NOTIFY);  // options may change during a job

  const std::string path = folder + "\\running.frx";
  ASSERT_TRUE(save_as(path));
  EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_STOP) << "the job ended early";
  const shown_job job = shown();
  EXPECT_TRUE(file_becomes(path, "[Ferrix]\r\nnsrc=1\r\nsrc0=" + job.sources[0] + "\r\ndest=" +
                                     job.dest +
                                     "\r\noverwriteall=0\r\ndontnotify=1\r\nspeed=62383\r\n"));

  driver::click(dialog, IDC_START_STOP);
  EXPECT_TRUE(text_becomes(IDC_START_STOP, TEXT_START));
}

// A /start run ticks and locks 没有错误通知 for the run only: Save, onto the job file or a new
// one, writes the job as its file set it.
TEST_F(SaveAndLoad, SaveDuringAStartRunWritesTheJobNotTheRunsLock) {
  const std::string folder = scratch("job");
  ASSERT_TRUE(file_tree::make_folder(folder + "\\source"));
  ASSERT_TRUE(file_tree::make_folder(folder + "\\dest"));
  ASSERT_TRUE(file_tree::write_file(folder + "\\source\\big.bin",
                                    file_tree::pattern_bytes(4 * 1024 * 1024, 7)));
  const std::string job = folder + "\\nightly.frx";
  const std::string head = "[Ferrix]\r\nnsrc=1\r\nsrc0=" + folder + "\\source\r\ndest=" +
                           folder + "\\dest\r\n";
  // Without overwriteall, so that the job file shows when Save has written it (a key it lacks
  // comes last, the others stay in their places).
  ASSERT_TRUE(file_tree::write_file(job, head + "dontnotify=0\r\nspeed=62383\r\n"));
  const std::string saved = head + "overwriteall=0\r\ndontnotify=0\r\nspeed=62383\r\n";
  driver::close_ferrix(ferrix);
  ASSERT_TRUE(driver::start_ferrix(ferrix, "\"" + job + "\" /start"));
  ASSERT_TRUE(driver::wait_for_dialog(ferrix));
  dialog = ferrix.dialog;
  ASSERT_TRUE(text_becomes(IDC_START_STOP, TEXT_STOP));
  ASSERT_TRUE(driver::is_checked(dialog, IDC_DONT_NOTIFY)) << "the run's lock";

  ASSERT_TRUE(save_as(job));
  EXPECT_TRUE(file_becomes(job, head + "dontnotify=0\r\nspeed=62383\r\noverwriteall=0\r\n"));
  const std::string other = folder + "\\other.frx";
  ASSERT_TRUE(save_as(other));
  EXPECT_TRUE(file_becomes(other, saved));
  EXPECT_TRUE(driver::is_checked(dialog, IDC_DONT_NOTIFY)) << "the lock holds for the run";
  EXPECT_EQ(driver::control_text(dialog, IDC_START_STOP), TEXT_STOP) << "the job ended early";

  driver::click(dialog, IDC_START_STOP);
  EXPECT_EQ(driver::wait_for_exit(ferrix), 2);
}

TEST_F(SaveAndLoad, ASaveThatCannotWriteIsReportedAndTheNameKept) {
  const std::string folder = scratch("job");
  ASSERT_NO_FATAL_FAILURE(load_prepared_job(folder));
  const std::string path = folder + "\\locked.frx";
  // Another program holds the file open and lets nobody else at it.
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(save_as(path));  // the file exists: Yes to replacing it

  HWND box = driver::wait_for_message_box(ferrix);
  ASSERT_NE(box, nullptr) << "the failed save went unreported";
  EXPECT_EQ(driver::text_of(box), TEXT_ERROR_CAPTION);
  char expected[1024];
  snprintf(expected, sizeof expected, TEXT_SAVE_FAILED, path.c_str());
  EXPECT_EQ(driver::message_box_text(box), expected);
  EXPECT_TRUE(driver::press_and_wait_gone(box, IDOK));
  CloseHandle(lock);

  HWND save_dialog = open_file_dialog(IDC_SAVE);
  EXPECT_NE(file_name_field(save_dialog).find("locked.frx"), std::string::npos)
      << file_name_field(save_dialog);
  ASSERT_TRUE(cancel(save_dialog));
}
}  // namespace
