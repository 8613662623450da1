// The run's private workspace folder: block files SECTnnnn.TMP, WORK.TMP, PRINT.SPL and
// VERSION.TMP under fixed names, inside a folder of mode 0700 with a unique name, made at
// start-up and removed at shutdown, so that no other user or copy of the program sees them.
// The folder is locked (flock) while its run lives: the kernel lets go when the process ends,
// however it ends, so a folder whose lock is free belongs to no running program.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "data/atomic_file.hpp"
#include "data/descriptor.hpp"
#include "data/file_text.hpp"
#include "data/message.hpp"

namespace sidewalk {

inline constexpr int kBlockFileSweep = 500; // DeleteBlockFiles clears SECT0001..SECT0500

// The block of a block file's name "SECTnnnn.TMP", 1..kBlockFileSweep; 0 for any other name.
int BlockNumberOf(std::string_view name);

// A workspace folder's name: the prefix and six characters; the hidden name it is made under.
inline constexpr std::string_view kWorkspacePrefix = "sidewalk-";
inline constexpr std::string_view kWorkspaceStaging = ".sidewalk-new-";
// The snapshot of the job a desktop run keeps in its workspace, to be offered back after a crash.
inline constexpr std::string_view kSnapshotName = "SNAPSHOT.V41";

class Workspace {
  public:
    // Makes a fresh private folder inside parent (the caller chooses it: the core reads no
    // environment), or inside /tmp when parent is empty, locked by this run; or says why the
    // folder cannot be made. It is made under a hidden name and renamed to "sidewalk-XXXXXX"
    // once locked, so no folder of that name is ever seen unlocked while its run lives.
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

    // Writes one of the folder's files (file is File(name), or one of the names above) through
    // the folder's own descriptor, never through a name someone may have swapped (see
    // ReplaceFileAt): durably once KeepDurably(true) was called, while the files hold work that
    // must outlive a power cut, or when keep says so.
    Status Write(const std::string& file, std::string_view content) const;
    Status Write(const std::string& file, std::string_view content, Keep keep) const;
    void KeepDurably(bool durable) { durable_ = durable; }
    bool durable() const { return durable_; }

    // Reads one of the folder's files (as Write names them) through the folder's descriptor,
    // never through a link; a message names the file as given.
    Result<FileBytes> Read(const std::string& file) const;

    // Flushes every file of the folder, and the folder, to disk.
    Status SyncFiles() const;

    // The run ends, keeping the work for the next start: the block files, the snapshot and the
    // version record stay, every other file goes, and the folder is let go for a later run to
    // find. Nothing works after it.
    void LeaveForRecovery();

    // Deletes PRINT.SPL, WORK.TMP, TMP.SPL, VERSION.TMP and the block files, then the folder.
    // Errors are ignored; calling it again does nothing.
    void Shutdown();

  private:
    Workspace(std::string tempDir, Descriptor lock)
        : tempDir_(std::move(tempDir)), lock_(std::move(lock)) {}

    std::string tempDir_;
    Descriptor lock_; // the folder, open and locked while this run lives
    bool durable_ = false;
};

} // namespace sidewalk
