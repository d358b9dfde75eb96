// Keeps the library non-empty until its first rule lands.
namespace valdora::register_domain { void placeholder() {} }
