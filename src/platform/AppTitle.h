#pragma once

// Title given to the host connection and caption of every message box the system shows.
inline constexpr const char kAppTitle[] = "所得税(減価償却)";
