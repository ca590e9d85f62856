// Placeholder until the batch dialogs land.
