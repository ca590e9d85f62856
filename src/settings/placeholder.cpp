// Placeholder until the settings file lands.
