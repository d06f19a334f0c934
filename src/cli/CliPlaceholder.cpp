int tavrinCliPlaceholder = 0;
