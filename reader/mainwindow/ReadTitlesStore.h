#pragma once
// Saving the read titles without losing those of earlier runs: a read-title
// file that did not load completely is kept as it is, and this run's titles go
// to a recovery file beside it, the user told once where.
namespace quillet {

struct AppState;

// Raises when the file it writes cannot be written.
void SaveReadTitles(AppState& app);

} // namespace quillet
