// The file browser comes with the Settings window.
