// The run's private workspace folder: block files SECTnnnn.TMP, WORK.TMP, PRINT.SPL and
// VERSION.TMP under fixed names, inside a folder of mode 0700 with a unique name, made at
// start-up and removed at shutdown, so that no other user or copy of the program sees them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "data/message.hpp"

namespace sidewalk {

inline constexpr int kBlockFileSweep = 500; // DeleteBlockFiles clears SECT0001..SECT0500

class Workspace {
  public:
    // Makes a fresh private folder inside parent (the caller chooses it: the core reads no
    // environment), or inside /tmp when parent is empty; or says why the folder cannot be made.
    static Result<Workspace> Create(const std::filesystem::path& parent = {});

    Workspace(Workspace&& other) noexcept;
    Workspace& operator=(Workspace&& other) noexcept;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    ~Workspace(); // runs Shutdown

    // The folder's path, ending with "/".
    const std::string& TempDir() const { return tempDir_; }

    // TempDir + name.
    std::string File(std::string_view name) const;

    // The fixed files: the job as a card file for the report run, the report, the version record.
    std::string WorkFile() const { return File("WORK.TMP"); }
    std::string ReportFile() const { return File("PRINT.SPL"); }
    std::string VersionFile() const { return File("VERSION.TMP"); }

    // TempDir + "SECT" + n as four digits + ".TMP".
    std::string BlockFileName(int n) const;

    // Deletes SECT0001.TMP .. SECT0500.TMP; missing files are skipped.
    void DeleteBlockFiles() const;

    // Writes VERSION.TMP with the version line.
    Status WriteVersionFile() const;

    // Deletes PRINT.SPL, WORK.TMP, TMP.SPL, VERSION.TMP and the block files, then the folder.
    // Errors are ignored; calling it again does nothing.
    void Shutdown();

  private:
    explicit Workspace(std::string tempDir) : tempDir_(std::move(tempDir)) {}
    std::string tempDir_;
};

} // namespace sidewalk
